#include "widgets/tiles/ItemButtonWidget.h"

#include "net/pictures/ImageShowLabel.h"

#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

ItemButtonWidget::ItemButtonWidget(QWidget* parent)
    : QWidget(parent)
    , m_icon(new ImageShowLabel(this))
    , m_title(new QLabel(this))
{
    setObjectName(QStringLiteral("ItemButtonWidget"));
    setAttribute(Qt::WA_StyledBackground);
    setFixedSize(100, 100);
    setCursor(Qt::PointingHandCursor);
    setHovered(false);

    m_icon->setObjectName(QStringLiteral("tileIcon"));
    m_icon->setFixedSize(48, 48);
    m_title->setObjectName(QStringLiteral("tileTitle"));
    // Titles come from the service and are shown as written, never as markup.
    m_title->setTextFormat(Qt::PlainText);
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setStyleSheet(QStringLiteral("font: 14px \"微软雅黑\"; color: rgb(60,60,60); background: transparent;"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 14, 4, 10);
    layout->setSpacing(8);
    layout->addWidget(m_icon, 0, Qt::AlignHCenter);
    layout->addWidget(m_title);
}

QString ItemButtonWidget::builtInIcon(int itemid, int type)
{
    switch (itemid) {
    case -1:
        return QStringLiteral("://res/mircro_website_11_press.png");
    case -2:
        return QStringLiteral("://res/mircro_website_add.png");
    case -4:
        return QStringLiteral("://res/icon_userBrowsingTrack.png");
    default:
        break;
    }
    if (type == 1)
        return QStringLiteral("://res/mircro_website_custom.png");
    static const QList<int> known{-3, 1, 2, 3, 4, 5, 6, 7, 9, 10, 15, 23, 24, 25};
    if (known.contains(itemid))
        return QStringLiteral("://res/mircro_website_%1.png").arg(itemid < 0 ? QStringLiteral("site") : QString::number(itemid));
    return QStringLiteral("://res/mircro_website_custom.png");
}

void ItemButtonWidget::setData(int itemId, const QString& title, const QString& icon, int type)
{
    m_itemId = itemId;
    m_titleText = title;
    // An app without an icon of its own shows its built-in one.
    m_iconSource = icon.isEmpty() ? builtInIcon(itemId, type) : icon;
    m_title->setText(QFontMetrics(m_title->font()).elidedText(title, Qt::ElideRight, 92));
    m_title->setToolTip(title);
    m_icon->setShowSize(48, 48);
    if (m_iconSource.startsWith(QLatin1Char(':')))
        m_icon->loadImage(m_iconSource, false, 0);
    else
        m_icon->loadServiceImage(m_iconSource, false, 0);
}

void ItemButtonWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (rect().contains(event->pos())) {
        if (event->button() == Qt::LeftButton)
            emit clickItem();
        else if (event->button() == Qt::RightButton)
            emit rightClickItem();
    }
    QWidget::mouseReleaseEvent(event);
}

void ItemButtonWidget::enterEvent(QEvent* event)
{
    setHovered(true);
    QWidget::enterEvent(event);
}

void ItemButtonWidget::leaveEvent(QEvent* event)
{
    setHovered(false);
    QWidget::leaveEvent(event);
}

void ItemButtonWidget::setHovered(bool hovered)
{
    setStyleSheet(hovered ? QStringLiteral("#ItemButtonWidget{background: rgb(242,246,252); border-radius: 6px;}")
                          : QStringLiteral("#ItemButtonWidget{background: transparent;}"));
}
