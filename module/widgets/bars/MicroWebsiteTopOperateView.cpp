#include "widgets/bars/MicroWebsiteTopOperateView.h"
#include "ui_MicroWebsiteTopOperateView.h"

#include "widgets/popups/PopupLauncher.h"
#include "widgets/popups/StayTunedWidget.h"

#include "CommonSignalTool.h"
#include "DataCenter.h"

MicroWebsiteTopOperateView::MicroWebsiteTopOperateView(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::MicroWebsiteTopOperateView)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_StyledBackground);
    ui->pushButton_financialCustomer->hide();
    ui->pushButton_step->hide();
    ui->pushButton_set->setVisible(DataCenter::isManager);

    connect(ui->pushButton_refresh, &QPushButton::clicked, this, &MicroWebsiteTopOperateView::refresh);
    connect(ui->pushButton_financialCustomer, &QPushButton::clicked, this, &MicroWebsiteTopOperateView::openFinancilCustomer);
    connect(ui->pushButton_step, &QPushButton::clicked, this, &MicroWebsiteTopOperateView::openStep);
    connect(ui->pushButton_set, &QPushButton::clicked, this, &MicroWebsiteTopOperateView::setOpen);
}

MicroWebsiteTopOperateView::~MicroWebsiteTopOperateView() = default;

void MicroWebsiteTopOperateView::showFinancilCustomerButton()
{
    ui->pushButton_financialCustomer->show();
}

namespace {

MicroWebsiteTopOperateView::ContentMaker& financialCustomerContent()
{
    static MicroWebsiteTopOperateView::ContentMaker maker;
    return maker;
}

MicroWebsiteTopOperateView::ContentMaker& stepContent()
{
    static MicroWebsiteTopOperateView::ContentMaker maker;
    return maker;
}

} // namespace

void MicroWebsiteTopOperateView::setFinancialCustomerContent(ContentMaker maker)
{
    financialCustomerContent() = std::move(maker);
}

void MicroWebsiteTopOperateView::setStepContent(ContentMaker maker)
{
    stepContent() = std::move(maker);
}

void MicroWebsiteTopOperateView::openFinancilCustomer()
{
    if (QWidget* content = financialCustomerContent() ? financialCustomerContent()() : nullptr)
        PopupLauncher::open(QStringLiteral("金融客户列表"), QSize(662, 612), content);
}

void MicroWebsiteTopOperateView::openStep()
{
    QWidget* content = stepContent() ? stepContent()() : nullptr;
    if (!content) {
        // Until the authorization page exists, the steps show the placeholder under its name.
        content = new StayTunedWidget;
        content->setObjectName(QStringLiteral("MicroWebSiteAuthWidget"));
    }
    PopupLauncher::open(QStringLiteral("微官网开通流程"), QSize(662, 482), content);
}

void MicroWebsiteTopOperateView::setOpen()
{
    CommonSignalTool::Instance()->send_reviceMsg(QStringLiteral("OpenMicroWebsiteSet"), QVariant(), nullptr);
}
