#include "listings/submissions/MicroWebsiteSeekSaleOrRentDetailWidget.h"
#include "ui_MicroWebsiteSeekSaleOrRentDetailWidget.h"

#include "listings/submissions/OneKeySave.h"

MicroWebsiteSeekSaleOrRentDetailWidget::MicroWebsiteSeekSaleOrRentDetailWidget(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::MicroWebsiteSeekSaleOrRentDetailWidget)
{
    ui->setupUi(this);
    connect(ui->pushButton_save, &QPushButton::clicked, this,
            &MicroWebsiteSeekSaleOrRentDetailWidget::saveToCustomerBook);
}

MicroWebsiteSeekSaleOrRentDetailWidget::~MicroWebsiteSeekSaleOrRentDetailWidget() = default;

QString MicroWebsiteSeekSaleOrRentDetailWidget::nameLine(const MicroWebSiteSeekSaleOrRentList_Model::ListData& record)
{
    // What visitors typed is shown as text, never read as markup.
    return QStringLiteral("<html><head/><body><p><span style=\" font-size:20px; font-weight:600;\">%1 </span>"
                          "<span style=\" font-size:20px; font-weight:600; color:#505050; vertical-align:sub;\">"
                          "%2 %3</span></p></body></html>")
        .arg(record.name.toHtmlEscaped(),
             record.sex == QLatin1String("0") ? QStringLiteral("先生") : QStringLiteral("女士"),
             record.phone.toHtmlEscaped());
}

void MicroWebsiteSeekSaleOrRentDetailWidget::setData(int type, const MicroWebSiteSeekSaleOrRentList_Model::ListData& record)
{
    m_type = type;
    m_record = record;
    ui->label_name->setText(nameLine(record));
    ui->label_needarea->setText(QStringLiteral("需求区域：%1").arg(record.needarea));
    ui->label_size->setText(QStringLiteral("需求面积：%1-%2平").arg(record.mianji, record.tmianji));
    ui->label_price->setText(type == 0 ? QStringLiteral("需求价格：%1-%2万").arg(record.price, record.tprice)
                                       : QStringLiteral("需求月租：%1-%2元/月").arg(record.price, record.tprice));
    ui->label_floor->setText(QStringLiteral("需求楼层：%1-%2层").arg(record.floors, record.tfloors));
    ui->label_remark->setText(record.remark);
}

void MicroWebsiteSeekSaleOrRentDetailWidget::saveToCustomerBook()
{
    OneKeySave::copyCustomer(this, m_type, m_record);
}
