#include "content/news/MicroWebsiteNewsStackWidget.h"

#include "content/news/MicroWebsiteNewsBaiKeListWidget.h"
#include "content/news/MicroWebsiteNewsListWidget.h"
#include "content/topics/MicroWebsiteNewsThemeListWidget.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

MicroWebsiteNewsStackWidget::MicroWebsiteNewsStackWidget(int index, QWidget* parent)
    : QWidget(parent)
    , m_stack(new QStackedWidget(this))
{
    setObjectName(QStringLiteral("MicroWebsiteNewsStackWidget"));
    auto* menu = new QWidget(this);
    menu->setObjectName(QStringLiteral("newsMenu"));
    menu->setAttribute(Qt::WA_StyledBackground);
    menu->setFixedWidth(160);
    menu->setStyleSheet(QStringLiteral("#newsMenu{background-color:rgb(244,246,249);}"
                                       "QPushButton{border:none;text-align:left;padding-left:24px;"
                                       "font:14px \"微软雅黑\";color:rgb(80,80,80);}"));
    auto* menuLayout = new QVBoxLayout(menu);
    menuLayout->setContentsMargins(0, 10, 0, 10);
    menuLayout->setSpacing(0);
    const QString titles[] = {QStringLiteral("· 房产资讯"), QStringLiteral("· 房产百科"), QStringLiteral("· 房产专题")};
    const char* names[] = {"menu_news", "menu_baike", "menu_topics"};
    for (int i = 0; i < 3; ++i) {
        m_menu[i] = new QPushButton(titles[i], menu);
        m_menu[i]->setObjectName(QLatin1String(names[i]));
        m_menu[i]->setFixedHeight(44);
        m_menu[i]->setCursor(Qt::PointingHandCursor);
        menuLayout->addWidget(m_menu[i]);
        connect(m_menu[i], &QPushButton::clicked, this, [this, i]() { setIndex(i + 1); });
    }
    menuLayout->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(menu);
    layout->addWidget(m_stack, 1);
    setIndex(index >= News && index <= Topics ? index : News);
}

QString MicroWebsiteNewsStackWidget::chosenStyle()
{
    return QStringLiteral("border-left: 4px solid rgb(11, 143, 234);border-right: 4px solid white;"
                          "background-color: rgb(255, 255, 255);");
}

QPushButton* MicroWebsiteNewsStackWidget::menuButton(int index) const
{
    return index >= News && index <= Topics ? m_menu[index - 1] : nullptr;
}

void MicroWebsiteNewsStackWidget::setIndex(int index)
{
    if (index < News || index > Topics)
        return;
    m_index = index;
    for (int i = 0; i < 3; ++i)
        m_menu[i]->setStyleSheet(i + 1 == index ? chosenStyle() : QString());
    QWidget* list = listFor(index);
    if (m_stack->indexOf(list) < 0)
        m_stack->addWidget(list);
    m_stack->setCurrentWidget(list);
}

QWidget* MicroWebsiteNewsStackWidget::listFor(int index)
{
    switch (index) {
    case News:
        if (!m_news)
            m_news = new MicroWebsiteNewsListWidget(m_stack);
        return m_news;
    case BaiKe:
        if (!m_baiKe)
            m_baiKe = new MicroWebsiteNewsBaiKeListWidget(m_stack);
        return m_baiKe;
    default:
        break;
    }
    if (!m_topics)
        m_topics = new MicroWebsiteNewsThemeListWidget(m_stack);
    return m_topics;
}
