#include "content/ads/MicroWebSiteScrollAddWidget.h"

#include "listings/pickers/SaleOrRentPutUpChooseWidget.h"
#include "net/http/Endpoints.h"
#include "net/http/FormBody.h"
#include "net/http/NetRequestObjecet.h"
#include "net/pictures/ImageShowLabel.h"
#include "net/pictures/PhotoWork.h"
#include "widgets/drafts/EditorDraft.h"
#include "widgets/inputs/ButtonStyles.h"
#include "widgets/inputs/CustomComboBox.h"
#include "widgets/inputs/MnemonicText.h"
#include "widgets/photos/PhotoFileDialog.h"
#include "widgets/photos/PhotoWorkWait.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/popups/PopupLauncher.h"
#include "widgets/popups/SaveOutcome.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using Ads = MicroWebSite_ScrollAds_Model;

MicroWebSiteScrollAddWidget::MicroWebSiteScrollAddWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MicroWebSiteScrollAddWidget"));
    m_work = new PhotoWork(this);
    m_wait = new PhotoWorkWait(this);
    m_wait->follow(m_work);
    connect(m_work, &PhotoWork::compressed, this, &MicroWebSiteScrollAddWidget::compressionResult);
    connect(m_work, &PhotoWork::compressionDone, m_wait, &PhotoWorkWait::stop);
    connect(m_work, &PhotoWork::uploaded, this, [this](const QList<PhotosUploadObject::PhotosModel>& photos) {
        Ads::AdData ad = formAdvert();
        ad.photo = photos.value(0).url;
        send(ad);
    });

    m_pictureLabel = new ImageShowLabel(this);
    m_pictureLabel->setObjectName(QStringLiteral("pictureLabel"));
    m_pictureLabel->setFixedSize(432, 180);
    m_pictureLabel->setPlaceholderPath(QStringLiteral(":/res/moren.png"));
    m_pictureLabel->setShowPlaceholder(true);
    m_pictureLabel->setPickable(true);
    connect(m_pictureLabel, &ImageShowLabel::clickLabel, this, &MicroWebSiteScrollAddWidget::choosePhoto);
    auto* hint = new QLabel(QStringLiteral("建议尺寸：1080x450"), this);
    hint->setStyleSheet(QStringLiteral("color:#999999;"));

    m_typeBox = new CustomComboBox(this);
    m_typeBox->setObjectName(QStringLiteral("typeBox"));
    m_typeBox->setFixedSize(200, 30);
    m_typeBox->setTextList(Ads::typeChoices());
    connect(m_typeBox, QOverload<int>::of(&QComboBox::activated), this, &MicroWebSiteScrollAddWidget::typeActivedIndex);

    m_positionRow = new QWidget(this);
    m_pickerButton = new QPushButton(m_positionRow);
    m_pickerButton->setObjectName(QStringLiteral("pickerButton"));
    m_pickerButton->setFixedSize(300, 30);
    m_pickerButton->setCursor(Qt::PointingHandCursor);
    m_pickerButton->setStyleSheet(QStringLiteral("QPushButton{text-align:left;padding-left:8px;border:1px solid #dddddd;"
                                                 "border-radius:3px;background:white;}"));
    connect(m_pickerButton, &QPushButton::clicked, this, &MicroWebSiteScrollAddWidget::chooseClick);
    auto* positionLayout = new QHBoxLayout(m_positionRow);
    positionLayout->setContentsMargins(0, 0, 0, 0);
    positionLayout->addWidget(new QLabel(QStringLiteral("具体位置："), m_positionRow));
    positionLayout->addWidget(m_pickerButton);
    positionLayout->addStretch();
    m_positionRow->hide();

    m_submitButton = new QPushButton(QStringLiteral("提交"), this);
    m_submitButton->setObjectName(QStringLiteral("submitButton"));
    m_submitButton->setFixedSize(100, 32);
    m_submitButton->setCursor(Qt::PointingHandCursor);
    m_submitButton->setStyleSheet(ButtonStyles::primary());
    connect(m_submitButton, &QPushButton::clicked, this, &MicroWebSiteScrollAddWidget::submitData);

    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(new QLabel(QStringLiteral("链接类型："), this));
    typeRow->addWidget(m_typeBox);
    typeRow->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_submitButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 16, 40, 16);
    layout->setSpacing(12);
    layout->addWidget(m_pictureLabel, 0, Qt::AlignHCenter);
    layout->addWidget(hint, 0, Qt::AlignHCenter);
    layout->addLayout(typeRow);
    layout->addWidget(m_positionRow);
    layout->addStretch();
    layout->addLayout(buttons);

    m_draft = new EditorDraft(this, QStringLiteral("advert"));
    m_draft->addPictures(
        QStringLiteral("photo"), [this]() { return m_picture.isEmpty() ? QStringList() : QStringList{m_picture}; },
        [this](const QStringList& pictures) { showPicture(pictures.value(0)); }, m_work,
        [this](const QStringList& files) {
            m_wait->show();
            m_work->compress(files, PhotoWork::DefaultLimit, 1.0, true);
        });
    m_draft->addField(
        QStringLiteral("link"),
        [this]() -> QJsonValue {
            return QJsonObject{{QStringLiteral("type"), m_type}, {QStringLiteral("itemid"), m_itemid},
                               {QStringLiteral("title"), m_title}};
        },
        [this](const QJsonValue& value) {
            const QJsonObject link = value.toObject();
            setLink(link.value(QStringLiteral("type")).toInt(), link.value(QStringLiteral("itemid")).toInt(),
                    link.value(QStringLiteral("title")).toString());
        });
    m_draft->startWhenShown();
}

void MicroWebSiteScrollAddWidget::showPicture(const QString& picture)
{
    m_picture = picture;
    if (picture.isEmpty())
        return;
    m_pictureLabel->loadPickedOrServiceImage(picture, true);
}

void MicroWebSiteScrollAddWidget::setLink(int type, int itemid, const QString& title)
{
    if (type < 0 || type >= Ads::typeChoices().size())
        return;
    m_typeBox->setCurrentIndex(type);
    typeActivedIndex(type);
    m_itemid = itemid;
    m_title = title;
    if (m_type >= Ads::NewHouse && m_type <= Ads::Job)
        m_pickerButton->setText(MnemonicText::escaped(title));
}

void MicroWebSiteScrollAddWidget::setAdvert(const Ads::AdData& ad)
{
    m_id = ad.id;
    m_draft->setRecord(ad.id);
    m_picture = ad.photo;
    if (!ad.photo.isEmpty())
        m_pictureLabel->loadServiceImage(ad.photo, true);
    if (ad.type >= 0 && ad.type < Ads::typeChoices().size()) {
        setLink(ad.type, ad.itemid, ad.title);
    } else {
        m_itemid = ad.itemid;
        m_title = ad.title;
    }
}

Ads::AdData MicroWebSiteScrollAddWidget::formAdvert() const
{
    Ads::AdData ad;
    ad.id = m_id;
    ad.photo = m_picture;
    ad.type = m_type;
    ad.itemid = m_itemid;
    ad.title = m_title;
    return ad;
}

bool MicroWebSiteScrollAddWidget::isProcessingPicture() const
{
    return m_work->isCompressing();
}

FormBody MicroWebSiteScrollAddWidget::saveBody(const Ads::AdData& ad)
{
    FormBody body;
    body.add(QStringLiteral("title"), ad.title)
        .add(QStringLiteral("photo"), ad.photo)
        .add(QStringLiteral("type"), ad.type)
        .add(QStringLiteral("itemid"), ad.itemid);
    if (ad.id > 0)
        body.add(QStringLiteral("id"), ad.id);
    return body;
}

QString MicroWebSiteScrollAddWidget::saveUrl(int id)
{
    return id > 0 ? Api::mtoreLunbomodify() : Api::mtoreLunboadd();
}

void MicroWebSiteScrollAddWidget::choosePhoto()
{
    const QStringList files = PhotoFileDialog::pick(this, false, QStringLiteral("选取户型图"));
    if (files.isEmpty())
        return;
    m_wait->show();
    m_work->compress(files, PhotoWork::DefaultLimit, 1.0, true);
}

void MicroWebSiteScrollAddWidget::compressionResult(QString path)
{
    m_picture = path;
    m_pictureLabel->loadImage(path);
    m_draft->changed();
}

void MicroWebSiteScrollAddWidget::typeActivedIndex(int index)
{
    m_type = index;
    m_itemid = 0;
    const QString label = Ads::listPageLabel(index);
    m_title = label;
    m_positionRow->setVisible(!label.isEmpty());
    m_pickerButton->setText(MnemonicText::escaped(label));
    m_draft->changed();
}

void MicroWebSiteScrollAddWidget::chooseClick()
{
    switch (m_type) {
    case Ads::NewHouse:
        chooseNewHouse();
        break;
    case Ads::SaleHouse:
        chooseSaleHouse();
        break;
    case Ads::RentHouse:
        chooseRentHouse();
        break;
    case Ads::Job:
        chooseZhaoPin();
        break;
    default:
        break;
    }
}

void MicroWebSiteScrollAddWidget::chooseNewHouse()
{
    openPicker(QStringLiteral("选择要链接的新房"), Api::nhousePosts(), {{QStringLiteral("wstore"), 1}}, QStringLiteral("name"));
}

void MicroWebSiteScrollAddWidget::chooseSaleHouse()
{
    openPicker(QStringLiteral("选择要链接的房源"), Api::mtoreMshouseposts(), {{QStringLiteral("type"), 0}},
               QStringLiteral("title"));
}

void MicroWebSiteScrollAddWidget::chooseRentHouse()
{
    openPicker(QStringLiteral("选择要链接的房源"), Api::mtoreMshouseposts(), {{QStringLiteral("type"), 1}},
               QStringLiteral("title"));
}

void MicroWebSiteScrollAddWidget::chooseZhaoPin()
{
    openPicker(QStringLiteral("选择要链接的职位"), Api::mtoreJoinusposts(), {}, QStringLiteral("title"));
}

void MicroWebSiteScrollAddWidget::openPicker(const QString& title, const QString& url, const QVariantMap& fixed,
                                             const QString& shownKey)
{
    if (m_pickerPopup)
        return;
    SaleOrRentPutUpChooseWidget::Config config;
    config.url = url;
    config.fixedParams = fixed;
    config.shownKey = shownKey;
    config.firstEntries = {{{QStringLiteral("id"), 0}, {shownKey, Ads::listPageLabel(m_type)}}};
    auto* picker = new SaleOrRentPutUpChooseWidget;
    CommonAddWidget* popup = PopupLauncher::open(title, QSize(412, 662), picker);
    m_pickerPopup = popup;
    picker->setConfig(config);
    connect(picker, &SaleOrRentPutUpChooseWidget::chooseHouse, this, [this, popup](const QVariantMap& entry) {
        m_itemid = entry.value(QStringLiteral("id")).toInt();
        m_title = entry.value(SaleOrRentPutUpChooseWidget::ShownTextKey).toString();
        m_pickerButton->setText(MnemonicText::escaped(m_title));
        m_draft->changed();
        popup->closeWidget();
    });
}

void MicroWebSiteScrollAddWidget::submitData()
{
    if (m_picture.isEmpty()) {
        AlertWidget::showWarning(QStringLiteral("请选择图片！"));
        return;
    }
    if (m_work->isCompressing()) {
        AlertWidget::showWarning(QStringLiteral("正在处理图片中，请稍等！"));
        return;
    }
    if (m_work->isUploading())
        return;
    m_wait->show();
    m_work->upload(Api::appUpphoto(), {m_picture}, {{QStringLiteral("type"), QStringLiteral("11")}});
}

void MicroWebSiteScrollAddWidget::send(const Ads::AdData& ad)
{
    auto* request = new NetRequestObjecet(this);
    connect(request, &NetRequestObjecet::loadFinish, this, [this, request]() {
        request->deleteLater();
        m_wait->stop();
    });
    SaveOutcome::follow(request, this, ad.id > 0 ? QStringLiteral("修改轮播广告成功！") : QStringLiteral("添加轮播广告成功！"),
                        m_submitButton);
    connect(request, &NetRequestObjecet::loadSuccess, this, &MicroWebSiteScrollAddWidget::addSuccess);
    request->sendForm(saveUrl(ad.id), saveBody(ad));
}

QProgressIndicator* MicroWebSiteScrollAddWidget::waitIndicator() const
{
    return m_wait->indicator();
}
