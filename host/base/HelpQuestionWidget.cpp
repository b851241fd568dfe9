#include "HelpQuestionWidget.h"

#include <QHash>
#include <QToolTip>

HelpQuestionWidget::HelpQuestionWidget(QWidget* parent)
    : QToolButton(parent)
{
    setObjectName(QStringLiteral("HelpQuestionWidget"));
    setText(QStringLiteral("?"));
    setFixedSize(18, 18);
    setCursor(Qt::PointingHandCursor);
    setStyleSheet(QStringLiteral(
        "QToolButton{border:1px solid rgb(180,180,180);border-radius:9px;color:rgb(140,140,140);"
        "font:bold 11px;background:transparent;}"
        "QToolButton:hover{border-color:rgb(55,129,241);color:rgb(55,129,241);}"));
    connect(this, &QToolButton::clicked, this, [this] {
        QToolTip::showText(mapToGlobal(rect().bottomLeft()), toolTip(), this);
    });
    setTipId(0);
}

QString HelpQuestionWidget::tipText(int id)
{
    static const QHash<int, QString> tips = {
        {0, QStringLiteral("如有疑问，请联系客服。")},
        {1, QStringLiteral("微官网设置保存后，手机端刷新即可看到效果。")},
        {2, QStringLiteral("上架的房源会显示在微官网上，下架后访客将看不到该房源。")},
        {3, QStringLiteral("推荐的房源会优先显示在微官网首页。")},
        {4, QStringLiteral("图片建议尺寸 750×400，大小不超过 200KB。")},
        {5, QStringLiteral("权限范围决定该岗位可以操作哪些房源。")},
    };
    return tips.value(id, tips.value(0));
}

void HelpQuestionWidget::setTipId(int id)
{
    m_tipId = id;
    setToolTip(tipText(id));
}
