#ifndef CUSTOMLINEEDIT_H
#define CUSTOMLINEEDIT_H

#include <QLineEdit>
#include <QString>

class QTimer;

// A line edit that reports its text once the user has paused for a second, so that a search runs
// once per typed word instead of once per key. An input-method composition still in progress holds
// the report back until it is committed.
class CustomLineEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit CustomLineEdit(QWidget* parent = nullptr);

    static constexpr int kPauseMs = 1000;

    QString pendingComposition() const { return m_composition; }

public slots:
    void timEvent();
    void txtChange();

signals:
    void valueChange(QString txt);
    void comTxtEdit(QString str);

protected:
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QTimer* m_timer = nullptr;
    QString m_composition;
};

#endif // CUSTOMLINEEDIT_H
