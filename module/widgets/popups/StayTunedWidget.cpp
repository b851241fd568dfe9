#include "widgets/popups/StayTunedWidget.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace {

// The illustration is drawn at twice its natural size.
constexpr qreal kImageScale = 0.5;
constexpr int kGap = 8;

} // namespace

StayTunedWidget::StayTunedWidget(QWidget* parent)
    : QWidget(parent)
    , m_background(QStringLiteral(":/res/jqqd_univer.png"))
{
    setObjectName(QStringLiteral("StayTunedWidget"));
    setAttribute(Qt::WA_StyledBackground);

    m_label = new QLabel(QStringLiteral("敬请期待"), this);
    m_label->setObjectName(QStringLiteral("stayTunedLabel"));
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setStyleSheet(QStringLiteral("font: 16px \"微软雅黑\"; color: rgb(80,80,80);"));

    // Room for the illustration above the text; it gives way on small pages.
    const QSize imageSize = (QSizeF(m_background.size()) * kImageScale).toSize();
    m_imageSpace = new QSpacerItem(imageSize.width(), imageSize.height(), QSizePolicy::Minimum, QSizePolicy::Preferred);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(kGap);
    layout->addStretch(1);
    layout->addItem(m_imageSpace);
    layout->addWidget(m_label);
    layout->addStretch(1);
}

void StayTunedWidget::setEmptyData(bool empty)
{
    m_emptyData = empty;
    m_label->setText(empty ? QStringLiteral("暂无数据") : QStringLiteral("敬请期待"));
}

QString StayTunedWidget::text() const
{
    return m_label->text();
}

void StayTunedWidget::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (m_background.isNull())
        return;
    const QRect space = m_imageSpace->geometry();
    QSizeF size = QSizeF(m_background.size()) * kImageScale;
    if (size.width() > space.width() || size.height() > space.height())
        size.scale(space.size(), Qt::KeepAspectRatio);
    if (size.width() < 40 || size.height() < 30)
        return;
    const QRectF target(space.center().x() - size.width() / 2, space.bottom() + 1 - size.height(), size.width(),
                        size.height());
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(target, m_background, QRectF(m_background.rect()));
}
