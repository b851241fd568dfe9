#include "frame/MicroWebsiteControlCenter.h"

#include "content/news/MicroWebsiteNewsStackWidget.h"
#include "frame/MicroWebsiteMainPageWidget.h"
#include "listings/financial/MircroWebSiteFinancialListWidget.h"
#include "listings/housemanager/HouseManagerSaleOrRentListWidget.h"
#include "listings/newhouse/MicroWebSiteNewHouseListWidget.h"
#include "listings/submissions/MicroWebsiteSaleOrRentWidget.h"
#include "listings/submissions/MicroWebsiteSeekSaleOrRentWidget.h"
#include "settings/stack/MircroWebSiteSetStackWidget.h"
#include "settings/web/MicroWebsiteUserBrowsingTrackWidget.h"
#include "settings/web/RebatixStackWidget.h"
#include "store/FunctionRights.h"
#include "widgets/inputs/MnemonicText.h"
#include "widgets/popups/CommonAddWidget.h"
#include "widgets/popups/PopupLauncher.h"

#include "CustomTabWidget.h"
#include "DataCenter.h"

namespace {

const int kCustomerRight = 156;
const int kNewsRight = 148;

// A page that serves two kinds, built for one of them; it requests its first page at once.
template <typename Page>
std::function<QWidget*(QWidget*)> typedPage(int type)
{
    return [type](QWidget* parent) {
        auto* page = new Page(parent);
        page->setType(type);
        return page;
    };
}

} // namespace

MicroWebsiteControlCenter::MicroWebsiteControlCenter(QObject* parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("MicroWebsiteControlCenter"));
}

void MicroWebsiteControlCenter::dealBaseMsg(const QString& key, const QVariant& v, QObject* obj)
{
    Q_UNUSED(v)
    Q_UNUSED(obj)
    if (key == QLatin1String("APP_MicroWebsite"))
        loadMainPage();
    else if (key == QLatin1String("OpenMicroWebsiteSet"))
        openSetWidget();
}

void MicroWebsiteControlCenter::openSetWidget()
{
    auto* stack = new MircroWebSiteSetStackWidget;
    CommonAddWidget* popup = PopupLauncher::open(QStringLiteral("微官网设置"), QSize(812, 712), stack, 1);
    connect(stack, &MircroWebSiteSetStackWidget::closeWidget, popup, &CommonAddWidget::closeWidget);
    connect(stack, &MircroWebSiteSetStackWidget::refreshList, this, [this]() {
        if (m_mainPage)
            m_mainPage->downloadMainData();
    });
}

void MicroWebsiteControlCenter::loadMainPage()
{
    if (!DataCenter::KQTabBar)
        return;
    if (m_mainPage) {
        DataCenter::KQTabBar->setCurrentWidget(m_mainPage);
        return;
    }
    m_mainPage = new MicroWebsiteMainPageWidget(DataCenter::KQTabBar);
    connect(m_mainPage, &MicroWebsiteMainPageWidget::clickID, this, &MicroWebsiteControlCenter::mainPageFunctionsClick);
    DataCenter::KQTabBar->addTabWidget(QStringLiteral("微官网"), m_mainPage);
}

void MicroWebsiteControlCenter::mainPageFunctionsClick(int itemid, const QString& title)
{
    switch (itemid) {
    case 1:
        loadNewHouse(title);
        break;
    case 2:
        loadSaleHouse(title);
        break;
    case 3:
        loadRentHouse(title);
        break;
    case 4:
    case 5:
    case 6:
    case 7:
        if (!FunctionRights::checkOrWarn(kCustomerRight, QStringLiteral("您没有管理该项的权限！"), this))
            return;
        if (itemid == 4)
            loadSaleCustomer(title);
        else if (itemid == 5)
            loadRentCustomer(title);
        else if (itemid == 6)
            loadSeekSaleCustomer(title);
        else
            loadSeekRentCustomer(title);
        break;
    case 15:
        loadFinancial(title);
        break;
    case 23:
    case 25:
        if (!FunctionRights::checkOrWarn(kNewsRight, QStringLiteral("您没有管理资讯的权限，如需修改，请联系管理员！"), this))
            return;
        loadNewsList(itemid == 23 ? 1 : 2, title);
        break;
    case 24:
        loadRebatix(title);
        break;
    case -4:
        loadUserBrowingTrack(title);
        break;
    default:
        break;
    }
}

void MicroWebsiteControlCenter::openPage(QPointer<QWidget>& slot, const QString& title, const PageFactory& factory)
{
    CustomTabWidget* tabBar = DataCenter::KQTabBar;
    if (!tabBar)
        return;
    if (slot) {
        tabBar->setCurrentWidget(slot);
        return;
    }
    slot = factory(tabBar);
    // A tile's title may be an app name the user typed.
    tabBar->addTabWidget(MnemonicText::escaped(title), slot);
}

void MicroWebsiteControlCenter::loadNewHouse(const QString& title)
{
    openPage(m_newHouse, title, [](QWidget* parent) { return new MicroWebSiteNewHouseListWidget(parent); });
}

void MicroWebsiteControlCenter::loadSaleHouse(const QString& title)
{
    openPage(m_saleHouse, title, typedPage<HouseManagerSaleOrRentListWidget>(0));
}

void MicroWebsiteControlCenter::loadRentHouse(const QString& title)
{
    openPage(m_rentHouse, title, typedPage<HouseManagerSaleOrRentListWidget>(1));
}

void MicroWebsiteControlCenter::loadFinancial(const QString& title)
{
    openPage(m_financial, title, [](QWidget* parent) { return new MircroWebSiteFinancialListWidget(parent); });
}

void MicroWebsiteControlCenter::loadSaleCustomer(const QString& title)
{
    openPage(m_saleCustomer, title, typedPage<MicroWebsiteSaleOrRentWidget>(0));
}

void MicroWebsiteControlCenter::loadRentCustomer(const QString& title)
{
    openPage(m_rentCustomer, title, typedPage<MicroWebsiteSaleOrRentWidget>(1));
}

void MicroWebsiteControlCenter::loadSeekSaleCustomer(const QString& title)
{
    openPage(m_seekSaleCustomer, title, typedPage<MicroWebsiteSeekSaleOrRentWidget>(0));
}

void MicroWebsiteControlCenter::loadSeekRentCustomer(const QString& title)
{
    openPage(m_seekRentCustomer, title, typedPage<MicroWebsiteSeekSaleOrRentWidget>(1));
}

void MicroWebsiteControlCenter::loadNewsList(int index, const QString& title)
{
    // Tiles 23 and 25 share the page: a later opening only switches its list.
    if (auto* news = qobject_cast<MicroWebsiteNewsStackWidget*>(m_news))
        news->setIndex(index);
    openPage(m_news, title, [index](QWidget* parent) { return new MicroWebsiteNewsStackWidget(index, parent); });
}

void MicroWebsiteControlCenter::loadRebatix(const QString& title)
{
    openPage(m_rebatix, title, [](QWidget* parent) { return new RebatixStackWidget(parent); });
}

void MicroWebsiteControlCenter::loadUserBrowingTrack(const QString& title)
{
    openPage(m_browsingTrack, title, [](QWidget* parent) { return new MicroWebsiteUserBrowsingTrackWidget(parent); });
}
