#include "content/ads/MicroWebSiteScrollAdsItemView.h"

#include "net/pictures/ImageShowLabel.h"
#include "widgets/inputs/OmitLabel.h"

#include <QHBoxLayout>
#include <QPushButton>

MicroWebSiteScrollAdsItemView::MicroWebSiteScrollAdsItemView(const MicroWebSite_ScrollAds_Model::AdData& ad,
                                                             bool editable, QWidget* parent)
    : QWidget(parent)
    , m_ad(ad)
{
    setObjectName(QStringLiteral("MicroWebSiteScrollAdsItemView"));
    setFixedHeight(96);
    auto* picture = new ImageShowLabel(this);
    picture->setFixedSize(192, 80);
    picture->setShowPlaceholder(true);
    picture->loadServiceImage(ad.photo);
    auto* link = new OmitLabel(this);
    link->setObjectName(QStringLiteral("linkLabel"));
    link->setText(MicroWebSite_ScrollAds_Model::rowText(ad));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(20, 8, 20, 8);
    layout->setSpacing(16);
    layout->addWidget(picture);
    layout->addWidget(link, 1);
    const QList<QPair<QString, QString>> buttons = {{QStringLiteral("modifyButton"), QStringLiteral("修改")},
                                                    {QStringLiteral("deleteButton"), QStringLiteral("删除")},
                                                    {QStringLiteral("upButton"), QStringLiteral("上移")},
                                                    {QStringLiteral("downButton"), QStringLiteral("下移")}};
    const QList<void (MicroWebSiteScrollAdsItemView::*)()> signalsInOrder = {
        &MicroWebSiteScrollAdsItemView::modifyClick, &MicroWebSiteScrollAdsItemView::deleteClick,
        &MicroWebSiteScrollAdsItemView::moveToUp, &MicroWebSiteScrollAdsItemView::moveToDown};
    for (int i = 0; i < buttons.size(); ++i) {
        auto* button = new QPushButton(buttons.at(i).second, this);
        button->setObjectName(buttons.at(i).first);
        button->setFixedSize(44, 26);
        button->setCursor(Qt::PointingHandCursor);
        button->setVisible(editable);
        connect(button, &QPushButton::clicked, this, signalsInOrder.at(i));
        layout->addWidget(button);
    }
}

QString MicroWebSiteScrollAdsItemView::styleSheetText()
{
    return QStringLiteral("MicroWebSiteScrollAdsItemView QPushButton{border:none;color:#3e8ef7;background:transparent;}"
                          "MicroWebSiteScrollAdsItemView QPushButton:hover{text-decoration:underline;}");
}

QString MicroWebSiteScrollAdsItemView::linkText() const
{
    return findChild<OmitLabel*>(QStringLiteral("linkLabel"))->fullText();
}

QPushButton* MicroWebSiteScrollAdsItemView::button(const QString& objectName) const
{
    return findChild<QPushButton*>(objectName);
}
