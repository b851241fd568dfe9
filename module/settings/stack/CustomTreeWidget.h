#ifndef CUSTOMTREEWIDGET_H
#define CUSTOMTREEWIDGET_H

#include <QList>
#include <QStringList>
#include <QWidget>

class QLabel;
class QVBoxLayout;

// A one-level tree of the settings' left column: a title that folds the rows away, and one
// clickable row per name, the chosen one marked.
class CustomTreeWidget : public QWidget
{
    Q_OBJECT
public:
    static constexpr int RowHeight = 40;

    explicit CustomTreeWidget(QWidget* parent = nullptr);

    QStringList names() const { return m_names; }
    int chosenIndex() const { return m_chosen; }
    bool isExpanded() const { return m_expanded; }
    QList<QLabel*> rows() const { return m_rows; }
    QLabel* titleLabel() const { return m_title; }

public slots:
    void setTitle(QString title);
    void setSonTrees(QStringList list, bool exp);
    void chooseIndex(int index);
    void updateUI();
    void updataChooseUI();

signals:
    void titleClick(bool expanse);
    void clickIndex(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString m_titleText = QStringLiteral("角色设置");
    QStringList m_names;
    int m_chosen = -1;
    bool m_expanded = false;
    QLabel* m_title = nullptr;
    QVBoxLayout* m_layout = nullptr;
    QList<QLabel*> m_rows;
};

#endif // CUSTOMTREEWIDGET_H
