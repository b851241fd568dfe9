#include "frame/MicroWebsiteModule.h"

#include "frame/MicroWebsiteControlCenter.h"
#include "listings/financial/MircroWebSiteFinancialCustomerListWidget.h"
#include "net/http/UserNotice.h"
#include "widgets/bars/MicroWebsiteTopOperateView.h"
#include "widgets/popups/AlertWidget.h"

#include "CommonSignalTool.h"

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
}
