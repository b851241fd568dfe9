#include "frame/MicroWebsiteModule.h"

#include "frame/MicroWebsiteControlCenter.h"
#include "listings/financial/MircroWebSiteFinancialCustomerListWidget.h"
#include "net/http/NetRequestObjecet.h"
#include "net/http/UserNotice.h"
#include "settings/auth/MicroWebSiteAuthWidget.h"
#include "settings/permissions/PermissionMicroWebSiteWidget.h"
#include "widgets/bars/MicroWebsiteTopOperateView.h"
#include "widgets/popups/AlertWidget.h"

#include "CommonSignalTool.h"

#include <QStackedWidget>
#include <QWidget>

int MicroWebsiteModule::getVersion()
{
    return 1;
}

MicroWebsiteControlCenter* MicroWebsiteModule::init(QWidget* parent)
{
    installHooks();
    auto* center = new MicroWebsiteControlCenter(parent);
    QObject::connect(CommonSignalTool::Instance(), &CommonSignalTool::reviceMsg, center,
                     &MicroWebsiteControlCenter::dealBaseMsg);
    return center;
}

void MicroWebsiteModule::installHooks()
{
    UserNotice::install([](UserNotice::Kind kind, const QString& text, const QString& windowName) {
        if (kind == UserNotice::Kind::Error)
            AlertWidget::showError(text, windowName);
        else
            AlertWidget::showWarning(text, windowName);
    });
    MicroWebsiteTopOperateView::setFinancialCustomerContent(
        [] { return new MircroWebSiteFinancialCustomerListWidget; });
    MicroWebsiteTopOperateView::setStepContent([] { return new MicroWebSiteAuthWidget; });
}

void MicroWebsiteModule::initAutuView(QWidget* parent, QStackedWidget* stack, PermissionMicroWebSiteWidget** cache,
                                      QVariantList values, PermissionCallback callback, void* context)
{
    if (!cache)
        return;
    // The host may embed the page without ever calling init(); its choosers still tell the user.
    installHooks();
    if (!*cache) {
        auto* page = new PermissionMicroWebSiteWidget(parent);
        *cache = page;
        QObject::connect(
            page, &PermissionMicroWebSiteWidget::valueChange, page,
            [callback, context](const QList<QVariantMap>& list) {
                if (callback)
                    callback(NetRequestObjecet::mapListToJson(list), context);
            },
            Qt::DirectConnection);
    }
    PermissionMicroWebSiteWidget* page = *cache;
    if (stack) {
        if (stack->indexOf(page) < 0)
            stack->addWidget(page);
        stack->setCurrentWidget(page);
    }
    page->setData(values);
}
