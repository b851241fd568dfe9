#ifndef ADDNEWTAGWIDGET_H
#define ADDNEWTAGWIDGET_H

#include <QWidget>

class QLineEdit;

// The small form in which a job tag is typed.
class AddNewTagWidget : public QWidget
{
    Q_OBJECT
public:
    explicit AddNewTagWidget(QWidget* parent = nullptr);

    QString text() const;
    QLineEdit* lineEdit() const { return m_edit; }

signals:
    void sureClick();
    void closeWidget();

private:
    QLineEdit* m_edit = nullptr;
};

#endif // ADDNEWTAGWIDGET_H
