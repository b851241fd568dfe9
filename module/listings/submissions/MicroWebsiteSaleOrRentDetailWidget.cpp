#include "listings/submissions/MicroWebsiteSaleOrRentDetailWidget.h"
#include "ui_MicroWebsiteSaleOrRentDetailWidget.h"

#include "listings/common/DisplayText.h"
#include "listings/photos/CityHouseDetailPhotosWidget.h"
#include "listings/submissions/OneKeySave.h"
#include "widgets/inputs/OmitLabel.h"

#include <QVariantMap>

MicroWebsiteSaleOrRentDetailWidget::MicroWebsiteSaleOrRentDetailWidget(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::MicroWebsiteSaleOrRentDetailWidget)
{
    ui->setupUi(this);
    m_propertyLabels = {ui->label_property1, ui->label_property2, ui->label_property3, ui->label_property4,
                        ui->label_property5, ui->label_property6, ui->label_property7, ui->label_property8,
                        ui->label_property9, ui->label_property10};
    connect(ui->pushButton_save, &QPushButton::clicked, this, &MicroWebsiteSaleOrRentDetailWidget::saveToHouseBook);
}

MicroWebsiteSaleOrRentDetailWidget::~MicroWebsiteSaleOrRentDetailWidget() = default;

QString MicroWebsiteSaleOrRentDetailWidget::priceText(double price, bool isRent)
{
    return DisplayText::withUnit(DisplayText::amount(price), isRent ? QStringLiteral("元/月") : QStringLiteral("万"));
}

QStringList MicroWebsiteSaleOrRentDetailWidget::propertyLines(const MicroWebSiteSaleOrRentList_Model::ListData& record,
                                                              bool isRent)
{
    using namespace DisplayText;
    QStringList lines{QStringLiteral("类型：%1").arg(orDash(record.type)),
                      QStringLiteral("区域：%1").arg(orDash(record.districtstr + record.areastr))};
    const QString unitPrice = QStringLiteral("单价：%1").arg(withUnit(count(record.unitprice), QStringLiteral("元/平")));
    if (isRent) {
        // A rent is a monthly sum, not a total in 万; a price per square metre only when one was given.
        lines << QStringLiteral("租房方式：%1").arg(orDash(record.rentway))
              << QStringLiteral("支付方式：%1").arg(orDash(record.payway))
              << QStringLiteral("租金：%1").arg(priceText(record.price, true));
        if (record.unitprice > 0)
            lines << unitPrice;
    } else {
        lines << QStringLiteral("总价：%1").arg(priceText(record.price, false)) << unitPrice;
    }
    lines << QStringLiteral("房屋类型：%1").arg(orDash(record.housetype))
          << QStringLiteral("装修：%1").arg(orDash(record.renovation))
          << QStringLiteral("楼层：%1").arg(withUnit(positional({count(record.floors), count(record.allfloors)},
                                                                 QStringLiteral("/")),
                                                      QStringLiteral("层")))
          << QStringLiteral("户型：%1").arg(orDash(record.hutype));
    return lines;
}

void MicroWebsiteSaleOrRentDetailWidget::setData(const MicroWebSiteSaleOrRentList_Model::ListData& record, bool isRent)
{
    using namespace DisplayText;
    m_record = record;
    m_isRent = isRent;

    // One line each: a long text is shortened here and shown whole as a tool tip.
    ui->label_title->setText(
        orDash(record.housename + positional({record.buildingNo, record.unitNo, record.roomNo}, QStringLiteral("-"))));
    ui->label_address->setText(QStringLiteral("地址：%1").arg(
        joinPresent({record.districtstr, record.areastr, record.address}, QStringLiteral("-"))));
    ui->label_contact->setText(joinPresent({record.name, record.phone}, QStringLiteral("  ")));
    ui->textEdit_remark->setPlainText(QStringLiteral("备注：%1").arg(orDash(record.remark)));

    const QStringList lines = propertyLines(record, isRent);
    for (int i = 0; i < m_propertyLabels.size(); ++i) {
        OmitLabel* label = m_propertyLabels.at(i);
        label->setText(i < lines.size() ? lines.at(i) : QString());
        label->setVisible(i < lines.size());
    }

    QList<QVariantMap> photos;
    for (int i = 0; i < record.imgurl.size(); ++i)
        photos.append({{QStringLiteral("url"), record.imgurl.at(i)}, {QStringLiteral("name"), QString::number(i + 1)}});
    ui->photoShowWidget->setPhotos(photos);
}

QStringList MicroWebsiteSaleOrRentDetailWidget::shownPropertyLines() const
{
    QStringList lines;
    for (const OmitLabel* label : m_propertyLabels) {
        if (!label->isHidden())
            lines.append(label->fullText());
    }
    return lines;
}

CityHouseDetailPhotosWidget* MicroWebsiteSaleOrRentDetailWidget::photosWidget() const
{
    return ui->photoShowWidget;
}

void MicroWebsiteSaleOrRentDetailWidget::saveToHouseBook()
{
    OneKeySave::copyHouse(m_record, m_isRent);
}
