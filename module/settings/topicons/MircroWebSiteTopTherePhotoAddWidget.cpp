#include "settings/topicons/MircroWebSiteTopTherePhotoAddWidget.h"

#include "net/http/Endpoints.h"
#include "net/pictures/ImageShowLabel.h"
#include "net/pictures/PhotoWork.h"
#include "settings/style/HouseSearchChoices.h"
#include "store/BaseMessage_SqlTable.h"
#include "widgets/drafts/EditorDraft.h"
#include "widgets/inputs/ButtonStyles.h"
#include "widgets/inputs/CustomComboBox.h"
#include "widgets/photos/PhotoFileDialog.h"
#include "widgets/photos/PhotoWorkWait.h"
#include "widgets/popups/AlertWidget.h"

#include "DataCenter.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

const QString MircroWebSiteTopTherePhotoAddWidget::AllDistricts = QStringLiteral("全部");

MircroWebSiteTopTherePhotoAddWidget::MircroWebSiteTopTherePhotoAddWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MircroWebSiteTopTherePhotoAddWidget"));
    m_work = new PhotoWork(this);
    m_wait = new PhotoWorkWait(this);
    m_wait->follow(m_work);
    connect(m_work, &PhotoWork::compressed, this, &MircroWebSiteTopTherePhotoAddWidget::dealIconPhotosCompression);
    connect(m_work, &PhotoWork::compressionDone, m_wait, &PhotoWorkWait::stop);
    connect(m_work, &PhotoWork::uploaded, this, [this](const QList<PhotosUploadObject::PhotosModel>& photos) {
        m_wait->stop();
        if (photos.isEmpty())
            return;
        m_icon = photos.first().url;
        // Handed to the style page, which holds it until "应用": the draft has done its work.
        m_draft->saved(m_draft->record(), m_draft->snapshot());
        emit setSuccess(resultMap(m_given, m_houseType->currentText(), m_district->currentText(), m_icon));
    });
    // Never a success with an empty address: the editor stays open and says what failed.

    m_iconLabel = new ImageShowLabel(this);
    m_iconLabel->setObjectName(QStringLiteral("iconLabel"));
    m_iconLabel->setFixedSize(105, 92);
    m_iconLabel->setShowPlaceholder(true);
    m_iconLabel->setPickable(true);
    connect(m_iconLabel, &ImageShowLabel::clickLabel, this, &MircroWebSiteTopTherePhotoAddWidget::chooseIconPhoto);

    auto* store = new BaseMessage_SqlTable(this);
    const QList<QVariantMap> areas = store->getAreaList();
    store->deleteLater();
    m_houseType = new CustomComboBox(this);
    m_houseType->setObjectName(QStringLiteral("houseTypeBox"));
    m_houseType->setTextList(HouseSearchChoices::houseTypes());
    m_district = new CustomComboBox(this);
    m_district->setObjectName(QStringLiteral("districtBox"));
    m_district->setTextList(QStringList{AllDistricts} + HouseSearchChoices::districtNames(areas, DataCenter::CompanyID));
    for (CustomComboBox* box : {m_houseType, m_district})
        box->setFixedSize(150, 30);
    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(new QLabel(QStringLiteral("房屋类型："), this));
    typeRow->addWidget(m_houseType);
    typeRow->addWidget(m_district);
    typeRow->addStretch();

    auto* submit = new QPushButton(QStringLiteral("确定"), this);
    submit->setObjectName(QStringLiteral("submitButton"));
    submit->setFixedSize(160, 36);
    submit->setCursor(Qt::PointingHandCursor);
    submit->setStyleSheet(ButtonStyles::primaryRound());
    connect(submit, &QPushButton::clicked, this, &MircroWebSiteTopTherePhotoAddWidget::submitData);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(30, 16, 30, 16);
    layout->setSpacing(12);
    layout->addWidget(new QLabel(QStringLiteral("点击选择图标：(建议尺寸105x92)"), this));
    layout->addWidget(m_iconLabel);
    layout->addLayout(typeRow);
    layout->addStretch();
    layout->addWidget(submit, 0, Qt::AlignHCenter);

    m_draft = new EditorDraft(this, QStringLiteral("topIcon"));
    m_draft->addPictures(
        QStringLiteral("url"), [this]() { return m_icon.isEmpty() ? QStringList() : QStringList{m_icon}; },
        [this](const QStringList& icons) {
            const QString icon = icons.value(0);
            if (icon.isEmpty())
                return;
            m_icon = icon;
            if (ImageShowLabel::isAddress(icon))
                m_iconLabel->loadServiceImage(icon);
            else
                m_iconLabel->loadImage(icon);
        },
        m_work,
        [this](const QStringList& files) {
            m_wait->show(QString());
            m_work->compress(files, PhotoWork::DefaultLimit, 1.0, true);
        });
    m_draft->addField(QStringLiteral("housetype"), m_houseType);
    m_draft->addField(QStringLiteral("districts"), m_district);
    m_draft->startWhenShown();
}

void MircroWebSiteTopTherePhotoAddWidget::setData(const QVariantMap& map)
{
    m_given = map;
    m_icon = map.value(QStringLiteral("url")).toString();
    // The icons carry no id: each is known by the picture it had on the service.
    m_draft->setRecord(m_icon);
    if (!m_icon.isEmpty())
        m_iconLabel->loadServiceImage(m_icon);
    m_houseType->setCurrentItemText(map.value(QStringLiteral("housetype")).toString());
    const QString district = map.value(QStringLiteral("districts")).toString();
    m_district->setCurrentItemText(district.isEmpty() ? AllDistricts : district);
}

QVariantMap MircroWebSiteTopTherePhotoAddWidget::resultMap(QVariantMap given, const QString& houseType,
                                                           const QString& district, const QString& url)
{
    given.insert(QStringLiteral("housetype"), houseType);
    given.insert(QStringLiteral("districts"), district == AllDistricts ? QString() : district);
    given.insert(QStringLiteral("url"), url);
    return given;
}

bool MircroWebSiteTopTherePhotoAddWidget::isBusy() const
{
    return m_work->isCompressing();
}

void MircroWebSiteTopTherePhotoAddWidget::chooseIconPhoto()
{
    const QStringList files = PhotoFileDialog::pick(this, false, QStringLiteral("选取应用图标"));
    if (files.isEmpty())
        return;
    m_wait->show(QString());
    m_work->compress(files, PhotoWork::DefaultLimit, 1.0, true);
}

void MircroWebSiteTopTherePhotoAddWidget::dealIconPhotosCompression(QString path)
{
    m_icon = path;
    m_iconLabel->loadImage(path);
    m_draft->changed();
}

void MircroWebSiteTopTherePhotoAddWidget::submitData()
{
    if (m_icon.isEmpty() && !m_work->isCompressing()) {
        AlertWidget::showWarning(QStringLiteral("请选择图标！"));
        return;
    }
    if (m_work->isCompressing()) {
        AlertWidget::showWarning(QStringLiteral("正在处理图片，请稍等！"));
        return;
    }
    if (m_work->isUploading())
        return;
    m_wait->show(QStringLiteral("提交中"));
    // An icon already on the service is not sent again; the batch then ends at once.
    m_work->upload(Api::appUpphoto(), {m_icon}, {{QStringLiteral("type"), QStringLiteral("8")}});
}

