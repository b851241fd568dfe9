#include "listings/submissions/MicroWebsiteSeekSaleOrRentDetailWidget.h"
#include "ui_MicroWebsiteSeekSaleOrRentDetailWidget.h"

#include "listings/common/DisplayText.h"
#include "listings/submissions/OneKeySave.h"
#include "widgets/inputs/OmitLabel.h"

#include <QFontMetrics>

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
        .arg(DisplayText::orDash(record.name).toHtmlEscaped(),
             record.sex == QLatin1String("0") ? QStringLiteral("先生") : QStringLiteral("女士"),
             DisplayText::orDash(record.phone).toHtmlEscaped());
}

void MicroWebsiteSeekSaleOrRentDetailWidget::setData(int type, const MicroWebSiteSeekSaleOrRentList_Model::ListData& record)
{
    using namespace DisplayText;
    m_type = type;
    m_record = record;

    // The name line is markup and cannot shorten itself: name and phone are fitted before it is
    // built, in the line's font, so that together they stay inside the popup.
    QFont font = ui->label_name->font();
    font.setPixelSize(20);
    font.setWeight(QFont::DemiBold);
    const QFontMetrics metrics(font);
    MicroWebSiteSeekSaleOrRentList_Model::ListData shown = record;
    shown.name = metrics.elidedText(record.name, Qt::ElideRight, NameWidth);
    shown.phone = metrics.elidedText(record.phone, Qt::ElideRight, PhoneWidth);
    ui->label_name->setText(nameLine(shown));
    ui->label_name->setToolTip(
        QStringLiteral("<p>%1 %2</p>").arg(record.name.toHtmlEscaped(), record.phone.toHtmlEscaped()));

    const QString to = QStringLiteral("-");
    ui->label_needarea->setText(QStringLiteral("需求区域：%1").arg(orDash(record.needarea)));
    ui->label_size->setText(
        QStringLiteral("需求面积：%1").arg(withUnit(positional({record.mianji, record.tmianji}, to), QStringLiteral("平"))));
    const QString prices = positional({record.price, record.tprice}, to);
    ui->label_price->setText(type == 0 ? QStringLiteral("需求价格：%1").arg(withUnit(prices, QStringLiteral("万")))
                                       : QStringLiteral("需求月租：%1").arg(withUnit(prices, QStringLiteral("元/月"))));
    ui->label_floor->setText(
        QStringLiteral("需求楼层：%1").arg(withUnit(positional({record.floors, record.tfloors}, to), QStringLiteral("层"))));
    ui->label_remark->setText(record.remark);
}

void MicroWebsiteSeekSaleOrRentDetailWidget::saveToCustomerBook()
{
    OneKeySave::copyCustomer(this, m_type, m_record);
}
