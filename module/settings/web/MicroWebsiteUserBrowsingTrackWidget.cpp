#include "settings/web/MicroWebsiteUserBrowsingTrackWidget.h"

#include "net/http/FormBody.h"
#include "net/http/ServiceAddresses.h"
#include "net/platform/SiblingLibrary.h"
#include "settings/web/BrowsingTrackVisit.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/popups/ModuleUpdateDialog.h"
#include "widgets/web/CefViewLibrary.h"

#include "CommonSignalTool.h"
#include "DataCenter.h"

#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

using DetailFunction = void (*)(const QVariantList& arguments);

const char* const kCircleCompany = "30728";

QString& houseCircleLibrary()
{
    static QString name = QStringLiteral("kq_appcenter");
    return name;
}

void showSiblingDetail(const QString& library, const char* function, const QVariantList& arguments)
{
    // A component that is missing or lacks the function is passed over silently.
    if (const auto show = SiblingLibrary::resolveAs<DetailFunction>(library, function))
        show(arguments);
}

} // namespace

MicroWebsiteUserBrowsingTrackWidget::MicroWebsiteUserBrowsingTrackWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MicroWebsiteUserBrowsingTrackWidget"));
    m_stack = new QStackedWidget(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stack);
    loadWeb();
}

void MicroWebsiteUserBrowsingTrackWidget::setHouseCircleLibrary(const QString& baseName)
{
    houseCircleLibrary() = baseName;
}

QString MicroWebsiteUserBrowsingTrackWidget::pageUrl()
{
    return FormBody()
        .add(QStringLiteral("companyid"), DataCenter::CompanyID)
        .appendedTo(ServiceAddresses::siteBase() + QStringLiteral("browselogs.html"));
}

void MicroWebsiteUserBrowsingTrackWidget::loadWeb()
{
    if (m_browser)
        return;
    m_browser = CefViewLibrary::insertOnlyWeb(pageUrl(), m_stack, &m_browser, &MicroWebsiteUserBrowsingTrackWidget::receiveMessage,
                                              this);
}

void MicroWebsiteUserBrowsingTrackWidget::receiveMessage(QString message, void* context)
{
    // The library drops messages once the holder is gone, so the context is this page.
    static_cast<MicroWebsiteUserBrowsingTrackWidget*>(context)->openHouseDetail(message);
}

void MicroWebsiteUserBrowsingTrackWidget::refreshWeb(CefBrowserStackWidget* web, QString url)
{
    CefViewLibrary::refreshWeb(web, url);
}

void MicroWebsiteUserBrowsingTrackWidget::refresh()
{
    if (m_browser)
        refreshWeb(m_browser, pageUrl());
}

void MicroWebsiteUserBrowsingTrackWidget::openHouseDetail(QString js)
{
    BrowsingTrackVisit visit;
    if (!BrowsingTrackVisit::parse(js, &visit))
        return;
    switch (visit.type) {
    case BrowsingTrackVisit::SaleHouse:
    case BrowsingTrackVisit::RentHouse:
        if (DataCenter::CompanyID == QLatin1String(kCircleCompany))
            openHouseCircle(visit.itemId, visit.type - 1);
        else
            CommonSignalTool::Instance()->send_reviceMsg(QStringLiteral("HouseDetail"),
                                                         QVariantMap{{QStringLiteral("id"), visit.itemId}}, this);
        break;
    case BrowsingTrackVisit::NewHouse:
        showSiblingDetail(QStringLiteral("kq_newhouse"), "loadNewHouseProductDetail", {visit.itemId, 0});
        break;
    case BrowsingTrackVisit::Financial:
        showSiblingDetail(QStringLiteral("kq_financial"), "showDetail", {visit.itemId, 0, QStringLiteral("金融详情")});
        break;
    default:
        break;
    }
}

void MicroWebsiteUserBrowsingTrackWidget::openHouseCircle(qint64 itemId, int type)
{
    SiblingLibrary::Failure failure = SiblingLibrary::Failure::None;
    const auto show = SiblingLibrary::resolveAs<DetailFunction>(houseCircleLibrary(), "houseCircleDetail", &failure);
    if (failure == SiblingLibrary::Failure::LibraryMissing) {
        ModuleUpdateDialog::open(QStringLiteral("缺少<房圈>组件！"), SiblingLibrary::displayFileName(houseCircleLibrary()));
        return;
    }
    if (!show) {
        AlertWidget::showWarning(QStringLiteral("houseCircleDetail导出失败！"), QStringLiteral("main"));
        return;
    }
    show({itemId, type, 0});
}
