#ifndef MICROWEBSITENEWSSTACKWIDGET_H
#define MICROWEBSITENEWSSTACKWIDGET_H

#include <QWidget>

class MicroWebsiteNewsBaiKeListWidget;
class MicroWebsiteNewsListWidget;
class MicroWebsiteNewsThemeListWidget;
class QPushButton;
class QStackedWidget;

// The site's articles in one tab: a menu on the left ("· 房产资讯", "· 房产百科", "· 房产专题") over
// a stack of the three lists, each made when its entry is first chosen.
class MicroWebsiteNewsStackWidget : public QWidget
{
    Q_OBJECT
public:
    enum Index { News = 1, BaiKe = 2, Topics = 3 };

    // index: the entry to open on (1 news, 2 encyclopedia, 3 topics; any other opens on 1).
    explicit MicroWebsiteNewsStackWidget(int index = News, QWidget* parent = nullptr);

    int currentIndex() const { return m_index; }
    QPushButton* menuButton(int index) const;
    QStackedWidget* stack() const { return m_stack; }
    // The lists made so far; null before their entry was chosen.
    MicroWebsiteNewsListWidget* newsList() const { return m_news; }
    MicroWebsiteNewsBaiKeListWidget* baiKeList() const { return m_baiKe; }
    MicroWebsiteNewsThemeListWidget* topicsList() const { return m_topics; }

    // The style of the chosen menu entry; the others have none.
    static QString chosenStyle();

public slots:
    // Chooses a menu entry; an index out of 1..3 does nothing.
    void setIndex(int index);

private:
    QWidget* listFor(int index);

    QPushButton* m_menu[3] = {};
    QStackedWidget* m_stack = nullptr;
    // Owned by the stack.
    MicroWebsiteNewsListWidget* m_news = nullptr;
    MicroWebsiteNewsBaiKeListWidget* m_baiKe = nullptr;
    MicroWebsiteNewsThemeListWidget* m_topics = nullptr;
    int m_index = 0;
};

#endif // MICROWEBSITENEWSSTACKWIDGET_H
