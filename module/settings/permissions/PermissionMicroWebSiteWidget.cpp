#include "settings/permissions/PermissionMicroWebSiteWidget.h"

#include "settings/permissions/PermissionRangeChooseWidget.h"
#include "settings/permissions/models/PermissionRights.h"

#include "HelpQuestionWidget.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>

PermissionMicroWebSiteWidget::PermissionMicroWebSiteWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("PermissionMicroWebSiteWidget"));

    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("widget_rights"));
    content->setAttribute(Qt::WA_StyledBackground);
    content->setStyleSheet(QStringLiteral("#widget_rights{background:#ffffff;}"
                                          "QCheckBox{font:14px \"微软雅黑\";color:rgb(40,40,40);}"
                                          "OmitLabel{font:14px \"微软雅黑\";}"));
    auto* rows = new QVBoxLayout(content);
    rows->setContentsMargins(24, 16, 24, 16);
    rows->setSpacing(4);
    for (int id : PermissionRights::screenOrder())
        rows->addWidget(buildRow(id));
    rows->addStretch();

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("scrollArea_rights"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(content);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
}

QWidget* PermissionMicroWebSiteWidget::buildRow(int rightId)
{
    const PermissionRights::Right& right = PermissionRights::all().at(PermissionRights::indexOf(rightId));
    auto* row = new QWidget;
    row->setObjectName(QStringLiteral("widget_right_%1").arg(rightId));
    row->setMinimumHeight(40);

    auto* check = new QCheckBox(right.text, row);
    check->setObjectName(QStringLiteral("checkBox_%1").arg(rightId));
    check->setCursor(Qt::PointingHandCursor);
    connect(check, &QCheckBox::clicked, this, [this, rightId](bool checked) {
        m_items.setSelected(rightId, checked);
        dealValueChange();
    });
    m_checks.insert(rightId, check);

    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(6);
    layout->addWidget(check);
    if (right.tipId > 0) {
        auto* help = new HelpQuestionWidget(row);
        help->setObjectName(QStringLiteral("help_%1").arg(rightId));
        help->setTipId(right.tipId);
        layout->addWidget(help);
    }
    layout->addStretch();
    if (right.ranges != PermissionRights::Ranges::None) {
        auto* range = new PermissionRangeChooseWidget(row);
        range->setObjectName(QStringLiteral("range_%1").arg(rightId));
        range->setShortList(right.ranges == PermissionRights::Ranges::Short);
        range->setData(0, QString(), rightId);
        // Up to 360 px: narrower in the settings popup rather than wider than its page.
        range->setMinimumWidth(240);
        range->setMaximumWidth(360);
        connect(range, &PermissionRangeChooseWidget::backChoose, this,
                [this, rightId](int code, const QString& bumens) {
                    m_items.setRange(rightId, code, bumens);
                    dealValueChange();
                });
        m_ranges.insert(rightId, range);
        layout->addWidget(range, 1);
    }
    return row;
}

void PermissionMicroWebSiteWidget::setData(const QVariantList& list)
{
    m_items.setData(list);
    for (auto it = m_checks.cbegin(); it != m_checks.cend(); ++it)
        it.value()->setChecked(PermissionItems::selectedOf(m_items.item(it.key())));
    for (auto it = m_ranges.cbegin(); it != m_ranges.cend(); ++it) {
        const QVariantMap item = m_items.item(it.key());
        it.value()->setData(PermissionItems::rangeOf(item), PermissionItems::bumensOf(item), it.key());
    }
}

void PermissionMicroWebSiteWidget::dealValueChange()
{
    emit valueChange(m_items.items());
}
