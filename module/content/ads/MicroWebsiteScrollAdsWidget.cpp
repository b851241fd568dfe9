#include "content/ads/MicroWebsiteScrollAdsWidget.h"

#include "content/ads/MicroWebSiteScrollAddWidget.h"
#include "content/ads/MicroWebSiteScrollAdsItemView.h"
#include "net/http/Endpoints.h"
#include "net/http/FormBody.h"
#include "net/http/NetRequestObjecet.h"
#include "net/paging/ListPager.h"
#include "store/FunctionRights.h"
#include "widgets/inputs/ButtonStyles.h"
#include "widgets/lists/CustomListWidget.h"
#include "widgets/lists/LoadFailedView.h"
#include "widgets/lists/RequestWait.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/popups/PopupLauncher.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const int kAdsRight = 69;
const QSize kFormSize(612, 512);

} // namespace

MicroWebsiteScrollAdsWidget::MicroWebsiteScrollAdsWidget(QWidget* parent)
    : QWidget(parent)
    , m_pager(new ListPager(this, MaxAds))
{
    setObjectName(QStringLiteral("MicroWebsiteScrollAdsWidget"));
    m_addButton = new QPushButton(QStringLiteral("新增轮播图"), this);
    m_addButton->setObjectName(QStringLiteral("addAdButton"));
    m_addButton->setFixedSize(110, 32);
    m_addButton->setCursor(Qt::PointingHandCursor);
    m_addButton->setStyleSheet(ButtonStyles::primary());
    m_addButton->setVisible(FunctionRights::userHasRight(kAdsRight, this));
    connect(m_addButton, &QPushButton::clicked, this, &MicroWebsiteScrollAdsWidget::addScrollPhoto);

    m_list = new CustomListWidget(this);
    m_list->setStyleSheet(MicroWebSiteScrollAdsItemView::styleSheetText());
    LoadFailedView::follow(m_pager, m_list);
    connect(m_pager, &ListPager::pageReceived, this, &MicroWebsiteScrollAdsWidget::deal_dataList);
    connect(m_pager, &ListPager::loadRequested, this, &MicroWebsiteScrollAdsWidget::downloadDataList);

    auto* top = new QHBoxLayout;
    top->setContentsMargins(20, 10, 20, 10);
    top->addStretch();
    top->addWidget(m_addButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(top);
    layout->addWidget(m_list, 1);

    downloadDataList();
}

QList<MicroWebSiteScrollAdsItemView*> MicroWebsiteScrollAdsWidget::rows() const
{
    return m_list->findChildren<MicroWebSiteScrollAdsItemView*>();
}

void MicroWebsiteScrollAdsWidget::downloadDataList()
{
    RequestWait::sendPage(m_pager, Api::mtoreLunboposts(), FormBody(), m_list);
}

void MicroWebsiteScrollAdsWidget::deal_dataList(QJsonValue value)
{
    m_ads = MicroWebSite_ScrollAds_Model(value, m_pager->pageSize()).list();
    m_pager->accept(m_ads.size(), m_ads.size());
    showListview();
}

void MicroWebsiteScrollAdsWidget::showListview()
{
    const bool editable = FunctionRights::userHasRight(kAdsRight, this);
    QList<QWidget*> rows;
    for (const MicroWebSite_ScrollAds_Model::AdData& ad : qAsConst(m_ads)) {
        // Made in the list, the row has the list's style from the start.
        auto* row = new MicroWebSiteScrollAdsItemView(ad, editable, m_list->rowParent());
        const int id = ad.id;
        connect(row, &MicroWebSiteScrollAdsItemView::modifyClick, this,
                [this, ad]() { openForm(QStringLiteral("修改轮播图片"), &ad); });
        connect(row, &MicroWebSiteScrollAdsItemView::deleteClick, this, [this, id]() {
            AlertWidget* alert = AlertWidget::askConfirm(QStringLiteral("您确定要删除该张首页轮播图片吗？"));
            connect(alert, &AlertWidget::sureClick, this, [this, id]() {
                sendOperation(Api::mtoreLunbodelete(), FormBody().add(QStringLiteral("id"), id));
            });
        });
        connect(row, &MicroWebSiteScrollAdsItemView::moveToUp, this, [this, id]() {
            sendOperation(Api::mtoreLunbopaixu(), FormBody().add(QStringLiteral("id"), id).add(QStringLiteral("type"), 1));
        });
        connect(row, &MicroWebSiteScrollAdsItemView::moveToDown, this, [this, id]() {
            sendOperation(Api::mtoreLunbopaixu(), FormBody().add(QStringLiteral("id"), id).add(QStringLiteral("type"), 2));
        });
        rows.append(row);
    }
    m_list->replaceItems(rows);
    emit listShown();
}

void MicroWebsiteScrollAdsWidget::sendOperation(const QString& url, const FormBody& body)
{
    NetRequestObjecet* request = RequestWait::send(this, url, body, m_list);
    connect(request, &NetRequestObjecet::loadSuccess, m_pager, &ListPager::reload);
}

void MicroWebsiteScrollAdsWidget::addScrollPhoto()
{
    if (!FunctionRights::checkOrWarn(kAdsRight, QStringLiteral("您没有管理轮播广告的权限！"), this))
        return;
    openForm(QStringLiteral("添加轮播图片"), nullptr);
}

void MicroWebsiteScrollAdsWidget::openForm(const QString& title, const MicroWebSite_ScrollAds_Model::AdData* ad)
{
    auto* form = new MicroWebSiteScrollAddWidget;
    if (ad)
        form->setAdvert(*ad);
    CommonAddWidget* popup = PopupLauncher::open(title, kFormSize, form);
    m_popup = popup;
    connect(form, &MicroWebSiteScrollAddWidget::addSuccess, this, [this, popup]() {
        popup->closeWidget();
        m_pager->reload();
    });
}
