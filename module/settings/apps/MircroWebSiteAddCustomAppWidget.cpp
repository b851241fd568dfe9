#include "settings/apps/MircroWebSiteAddCustomAppWidget.h"

#include "net/http/Endpoints.h"
#include "net/http/FormBody.h"
#include "net/http/NetRequestObjecet.h"
#include "net/pictures/ImageShowLabel.h"
#include "net/pictures/PhotoWork.h"
#include "settings/apps/CustomAppContent.h"
#include "settings/style/HouseSearchChoices.h"
#include "store/BaseMessage_SqlTable.h"
#include "widgets/drafts/EditorDraft.h"
#include "widgets/inputs/ButtonStyles.h"
#include "widgets/inputs/CustomComboBox.h"
#include "widgets/photos/PhotoFileDialog.h"
#include "widgets/photos/PhotoWorkWait.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/popups/SaveOutcome.h"

#include "DataCenter.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QJsonValue>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

const int kPhotoColumns = 4;
const QSize kPhotoSize(110, 110);

QString& lastIconFolder()
{
    static QString folder;
    return folder;
}

QList<QVariantMap> storedAreas(QObject* parent)
{
    auto* store = new BaseMessage_SqlTable(parent);
    const QList<QVariantMap> areas = store->getAreaList();
    store->deleteLater();
    return areas;
}

} // namespace

MircroWebSiteAddCustomAppWidget::MircroWebSiteAddCustomAppWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MircroWebSiteAddCustomAppWidget"));
    m_iconWork = new PhotoWork(this);
    m_photoWork = new PhotoWork(this);
    m_upload = new PhotoWork(this);
    connect(m_iconWork, &PhotoWork::compressed, this, &MircroWebSiteAddCustomAppWidget::dealIconPhotosCompression);
    connect(m_photoWork, &PhotoWork::compressed, this, &MircroWebSiteAddCustomAppWidget::dealPhotosCompression);
    for (PhotoWork* work : {m_iconWork, m_photoWork}) {
        connect(work, &PhotoWork::compressionDone, this, [this]() {
            if (!isBusy())
                m_wait->stop();
        });
    }
    m_wait = new PhotoWorkWait(this);
    for (PhotoWork* work : {m_iconWork, m_photoWork, m_upload})
        m_wait->follow(work);
    connect(m_upload, &PhotoWork::uploaded, this, &MircroWebSiteAddCustomAppWidget::dealUrlData);

    auto* iconHint = new QLabel(QStringLiteral("点击选择应用图标：(建议尺寸132x132)"), this);
    m_icon = new ImageShowLabel(this);
    m_icon->setObjectName(QStringLiteral("iconLabel"));
    m_icon->setFixedSize(88, 88);
    m_icon->setShowPlaceholder(true);
    m_icon->setPickable(true);
    connect(m_icon, &ImageShowLabel::clickLabel, this, &MircroWebSiteAddCustomAppWidget::chooseIconPhoto);

    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("nameEdit"));
    m_name->setPlaceholderText(QStringLiteral("请输入应用名称"));
    m_name->setFixedHeight(30);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QStringLiteral("应用名："), this));
    nameRow->addWidget(m_name, 1);

    auto* modeRow = new QHBoxLayout;
    modeRow->addWidget(new QLabel(QStringLiteral("选择模式："), this));
    auto* group = new QButtonGroup(this);
    const QStringList modes{QStringLiteral("图片模式"), QStringLiteral("文字模式"), QStringLiteral("房源模式")};
    const QStringList names{QStringLiteral("photosModeButton"), QStringLiteral("textModeButton"), QStringLiteral("housesModeButton")};
    for (int i = 0; i < modes.size(); ++i) {
        auto* button = new QPushButton(modes.at(i), this);
        button->setObjectName(names.at(i));
        button->setCheckable(true);
        button->setFixedSize(90, 30);
        button->setCursor(Qt::PointingHandCursor);
        button->setStyleSheet(QStringLiteral("QPushButton{border:1px solid #dddddd;border-radius:3px;background:white;}"
                                             "QPushButton:checked{border-color:#3e8ef7;color:#3e8ef7;}"));
        group->addButton(button, i);
        modeRow->addWidget(button);
        m_modeButtons.append(button);
    }
    modeRow->addStretch();
    connect(m_modeButtons.at(0), &QPushButton::clicked, this, &MircroWebSiteAddCustomAppWidget::changeToPhotosModel);
    connect(m_modeButtons.at(1), &QPushButton::clicked, this, &MircroWebSiteAddCustomAppWidget::changeToWordModel);
    connect(m_modeButtons.at(2), &QPushButton::clicked, this, &MircroWebSiteAddCustomAppWidget::changeToHousesModel);

    m_pages = new QStackedWidget(this);
    auto* photosPage = new QWidget(m_pages);
    auto* addPhotos = new QPushButton(QStringLiteral("添加图片"), photosPage);
    addPhotos->setObjectName(QStringLiteral("addPhotosButton"));
    connect(addPhotos, &QPushButton::clicked, this, &MircroWebSiteAddCustomAppWidget::choosePhotos);
    m_photoArea = new QWidget;
    m_photoGrid = new QGridLayout(m_photoArea);
    m_photoGrid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* photoScroll = new QScrollArea(photosPage);
    photoScroll->setWidgetResizable(true);
    photoScroll->setWidget(m_photoArea);
    auto* photosHeader = new QHBoxLayout;
    photosHeader->addWidget(new QLabel(QStringLiteral("图片模式（双击移除图片）"), photosPage));
    photosHeader->addStretch();
    photosHeader->addWidget(addPhotos);
    auto* photosLayout = new QVBoxLayout(photosPage);
    photosLayout->setContentsMargins(0, 0, 0, 0);
    photosLayout->addLayout(photosHeader);
    photosLayout->addWidget(photoScroll, 1);

    m_text = new QPlainTextEdit(m_pages);
    m_text->setObjectName(QStringLiteral("contentEdit"));
    m_text->setPlaceholderText(QStringLiteral("请输入应用内容"));

    auto* housesPage = new QWidget(m_pages);
    m_houseType = new CustomComboBox(housesPage);
    m_houseType->setObjectName(QStringLiteral("houseTypeBox"));
    m_district = new CustomComboBox(housesPage);
    m_district->setObjectName(QStringLiteral("districtBox"));
    for (CustomComboBox* box : {m_houseType, m_district})
        box->setFixedSize(150, 30);
    auto* housesLayout = new QHBoxLayout(housesPage);
    housesLayout->addWidget(new QLabel(QStringLiteral("房屋类型："), housesPage));
    housesLayout->addWidget(m_houseType);
    housesLayout->addWidget(m_district);
    housesLayout->addStretch();
    housesLayout->setAlignment(Qt::AlignTop);
    m_pages->addWidget(photosPage);
    m_pages->addWidget(m_text);
    m_pages->addWidget(housesPage);

    auto* submit = new QPushButton(QStringLiteral("提交"), this);
    submit->setObjectName(QStringLiteral("submitButton"));
    submit->setFixedSize(160, 36);
    submit->setCursor(Qt::PointingHandCursor);
    submit->setStyleSheet(ButtonStyles::primaryRound());
    connect(submit, &QPushButton::clicked, this, &MircroWebSiteAddCustomAppWidget::submitData);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(30, 16, 30, 16);
    layout->setSpacing(12);
    layout->addWidget(iconHint);
    layout->addWidget(m_icon);
    layout->addLayout(nameRow);
    layout->addLayout(modeRow);
    layout->addWidget(m_pages, 1);
    layout->addWidget(submit, 0, Qt::AlignHCenter);

    setMode(CustomAppContent::Photos);
    showDefaultData();
    loadPic();

    m_draft = new EditorDraft(this, QStringLiteral("customApp"));
    m_draft->addPictures(
        QStringLiteral("icon"), [this]() { return m_iconPath.isEmpty() ? QStringList() : QStringList{m_iconPath}; },
        [this](const QStringList& icons) { showIcon(icons.value(0)); }, m_iconWork,
        [this](const QStringList& files) {
            m_wait->show(QString());
            m_iconWork->compress(files, PhotoWork::DefaultLimit, 1.0, true);
        });
    m_draft->addField(QStringLiteral("name"), m_name);
    m_draft->addField(
        QStringLiteral("mode"), [this]() -> QJsonValue { return currentMode(); },
        [this](const QJsonValue& mode) { setMode(qBound(0, mode.toInt(), m_modeButtons.size() - 1)); });
    m_draft->addPictures(
        QStringLiteral("photos"),
        [this]() {
            QStringList photos;
            for (const QVariantMap& photo : qAsConst(m_photos))
                photos.append(photo.value(QStringLiteral("photo")).toString());
            return photos;
        },
        [this](const QStringList& photos) {
            m_photos.clear();
            for (const QString& photo : photos)
                m_photos.append({{QStringLiteral("photo"), photo}, {QStringLiteral("sort"), m_photos.size()}});
            loadPic();
        },
        m_photoWork,
        [this](const QStringList& files) {
            m_wait->show(QString());
            m_photoWork->compress(files);
        });
    m_draft->addField(QStringLiteral("text"), m_text);
    m_draft->addField(QStringLiteral("housetype"), m_houseType);
    m_draft->addField(QStringLiteral("district"), m_district);
    m_draft->startWhenShown();
}

void MircroWebSiteAddCustomAppWidget::setData(const MircroWebsiteStyleSet_Model::APP& app)
{
    m_app = app;
    m_id = app.id > 0 ? app.id : 0;
    m_draft->setRecord(m_id);
    m_name->setText(app.title);
    m_iconPath = app.url;
    if (!app.url.isEmpty())
        m_icon->loadServiceImage(app.url);
    showDefaultData();
}

int MircroWebSiteAddCustomAppWidget::currentMode() const
{
    return m_pages->currentIndex();
}

bool MircroWebSiteAddCustomAppWidget::isBusy() const
{
    return m_iconWork->isCompressing() || m_photoWork->isCompressing();
}

void MircroWebSiteAddCustomAppWidget::setMode(int mode)
{
    m_pages->setCurrentIndex(mode);
    m_modeButtons.at(mode)->setChecked(true);
    if (m_draft)
        m_draft->changed();
}

void MircroWebSiteAddCustomAppWidget::changeToWordModel()
{
    setMode(CustomAppContent::Text);
}

void MircroWebSiteAddCustomAppWidget::changeToPhotosModel()
{
    setMode(CustomAppContent::Photos);
}

void MircroWebSiteAddCustomAppWidget::changeToHousesModel()
{
    setMode(CustomAppContent::Houses);
}

void MircroWebSiteAddCustomAppWidget::showDefaultData()
{
    const QList<QVariantMap> areas = storedAreas(this);
    m_houseType->setTextList(HouseSearchChoices::houseTypes());
    m_district->setTextList(HouseSearchChoices::districtNames(areas, DataCenter::CompanyID));
    if (m_id == 0)
        return;
    const QString& content = m_app.content;
    switch (CustomAppContent::modeOf(content)) {
    case CustomAppContent::Photos: {
        m_photos.clear();
        const QStringList addresses = CustomAppContent::photoAddresses(content);
        for (int i = 0; i < addresses.size(); ++i)
            m_photos.append({{QStringLiteral("photo"), addresses.at(i)}, {QStringLiteral("sort"), i}});
        loadPic();
        setMode(CustomAppContent::Photos);
        break;
    }
    case CustomAppContent::Houses: {
        const QVariantMap search = CustomAppContent::houseSearch(content);
        m_houseType->setCurrentItemText(search.value(QStringLiteral("housetype")).toString());
        m_district->setCurrentItemText(HouseSearchChoices::districtText(
            areas, DataCenter::CompanyID, search.value(QStringLiteral("districts")).toString()));
        setMode(CustomAppContent::Houses);
        break;
    }
    case CustomAppContent::Text:
        m_text->setPlainText(content);
        setMode(CustomAppContent::Text);
        break;
    }
}

void MircroWebSiteAddCustomAppWidget::chooseIconPhoto()
{
    const QStringList files = PhotoFileDialog::pick(this, false, QStringLiteral("选取应用图标"), lastIconFolder());
    if (files.isEmpty())
        return;
    lastIconFolder() = QFileInfo(files.first()).absolutePath();
    m_wait->show(QString());
    m_iconWork->compress(files, PhotoWork::DefaultLimit, 1.0, true);
}

void MircroWebSiteAddCustomAppWidget::dealIconPhotosCompression(QString path)
{
    m_iconPath = path;
    m_icon->loadImage(path);
    m_draft->changed();
}

void MircroWebSiteAddCustomAppWidget::showIcon(const QString& icon)
{
    m_iconPath = icon;
    if (icon.isEmpty())
        return;
    m_icon->loadPickedOrServiceImage(icon);
}

void MircroWebSiteAddCustomAppWidget::choosePhotos()
{
    const QStringList files = PhotoFileDialog::pick(this, true);
    if (files.isEmpty())
        return;
    m_wait->show(QString());
    m_photoWork->compress(files);
}

void MircroWebSiteAddCustomAppWidget::dealPhotosCompression(QString path)
{
    m_photos.append({{QStringLiteral("photo"), path}, {QStringLiteral("sort"), m_photos.size()}});
    loadPic();
    m_draft->changed();
}

void MircroWebSiteAddCustomAppWidget::loadPic()
{
    while (QLayoutItem* item = m_photoGrid->takeAt(0)) {
        if (QWidget* widget = item->widget()) {
            widget->hide();
            widget->deleteLater();
        }
        delete item;
    }
    m_photos = CustomAppContent::sortList(m_photos);
    if (m_photos.isEmpty()) {
        // Nothing picked yet: the empty grid says where to click.
        auto* empty = new ImageShowLabel(m_photoArea);
        empty->setObjectName(QStringLiteral("emptyPhotosLabel"));
        empty->setFixedSize(kPhotoSize);
        empty->setPickable(true);
        connect(empty, &ImageShowLabel::clickLabel, this, &MircroWebSiteAddCustomAppWidget::choosePhotos);
        m_photoGrid->addWidget(empty, 0, 0);
        empty->show();
    }
    for (int i = 0; i < m_photos.size(); ++i) {
        auto* picture = new ImageShowLabel(m_photoArea);
        picture->setObjectName(QStringLiteral("photoLabel"));
        picture->setFixedSize(kPhotoSize);
        picture->setShowPlaceholder(true);
        picture->setAspectMode(Qt::KeepAspectRatioByExpanding);
        picture->setToolTip(QStringLiteral("双击移除图片"));
        const QString photo = m_photos.at(i).value(QStringLiteral("photo")).toString();
        if (ImageShowLabel::isAddress(photo))
            picture->loadServiceImage(photo);
        else
            picture->loadImage(photo);
        connect(picture, &ImageShowLabel::doubleClick, this, [this, picture]() { deletePhotoAgainLayout(picture); });
        m_photoGrid->addWidget(picture, i / kPhotoColumns, i % kPhotoColumns);
        picture->show();
    }
}

void MircroWebSiteAddCustomAppWidget::deletePhotoAgainLayout(QWidget* w)
{
    const int index = m_photoGrid->indexOf(w);
    if (index < 0 || index >= m_photos.size())
        return;
    m_photos.removeAt(index);
    // The pictures keep their on-screen order.
    for (int i = 0; i < m_photos.size(); ++i)
        m_photos[i].insert(QStringLiteral("sort"), i);
    loadPic();
    m_draft->changed();
}

void MircroWebSiteAddCustomAppWidget::submitData()
{
    if (m_upload->isUploading())
        return;
    switch (currentMode()) {
    case CustomAppContent::Photos:
        uploadPhotos();
        break;
    case CustomAppContent::Text:
        uploadText();
        break;
    default:
        uploadHouse();
        break;
    }
}

bool MircroWebSiteAddCustomAppWidget::checkShared()
{
    const QString message = CustomAppContent::checkShared(
        m_name->text(), !m_iconPath.isEmpty() || m_iconWork->isCompressing(), isBusy());
    if (message.isEmpty())
        return true;
    AlertWidget::showWarning(message);
    return false;
}

void MircroWebSiteAddCustomAppWidget::uploadPhotos()
{
    if (m_photos.isEmpty() && !m_photoWork->isCompressing()) {
        AlertWidget::showWarning(QStringLiteral("请至少选择一张图片"));
        return;
    }
    if (!checkShared())
        return;
    QStringList paths;
    for (const QVariantMap& photo : CustomAppContent::sortList(m_photos))
        paths.append(photo.value(QStringLiteral("photo")).toString());
    upload(paths);
}

void MircroWebSiteAddCustomAppWidget::uploadText()
{
    const QString text = m_text->toPlainText();
    if (text.isEmpty()) {
        AlertWidget::showWarning(QStringLiteral("请填写应用内容"));
        return;
    }
    if (!checkShared())
        return;
    m_pendingContent = text;
    upload({});
}

void MircroWebSiteAddCustomAppWidget::uploadHouse()
{
    QString error;
    const QString districts = HouseSearchChoices::districtValue(storedAreas(this), DataCenter::CompanyID,
                                                                m_district->currentText(), &error);
    if (!error.isEmpty()) {
        AlertWidget::showWarning(error);
        return;
    }
    if (!checkShared())
        return;
    m_pendingContent = CustomAppContent::housesContent(m_houseType->currentText(), districts);
    upload({});
}

void MircroWebSiteAddCustomAppWidget::upload(const QStringList& photoPaths)
{
    QStringList names{QStringLiteral("应用图标")};
    for (int i = 0; i < photoPaths.size(); ++i)
        names.append(QStringLiteral("第%1张图片").arg(i + 1));
    m_wait->show(QStringLiteral("提交中"));
    m_upload->upload(Api::appUpphoto(), QStringList{m_iconPath} + photoPaths, {{QStringLiteral("type"), QStringLiteral("8")}},
                     PhotoWork::DefaultLimit, names);
}

void MircroWebSiteAddCustomAppWidget::dealUrlData(QList<PhotosUploadObject::PhotosModel> list)
{
    if (list.isEmpty())
        return;
    m_iconPath = list.first().url;
    QString content = m_pendingContent;
    if (currentMode() == CustomAppContent::Photos) {
        QList<QVariantMap> uploaded;
        for (int i = 1; i < list.size(); ++i)
            uploaded.append({{QStringLiteral("photo"), list.at(i).url}, {QStringLiteral("sort"), i - 1}});
        content = CustomAppContent::photosContent(uploaded);
    }
    submitToService(content);
}

void MircroWebSiteAddCustomAppWidget::submitToService(QString content)
{
    auto* request = new NetRequestObjecet(this);
    connect(request, &NetRequestObjecet::loadFinish, this, [this, request]() {
        request->deleteLater();
        m_wait->stop();
    });
    SaveOutcome::follow(request, this,
                        m_id != 0 ? QStringLiteral("修改自定义应用成功！") : QStringLiteral("添加自定义应用成功！"),
                        findChild<QPushButton*>(QStringLiteral("submitButton")));
    connect(request, &NetRequestObjecet::loadSuccess, this, &MircroWebSiteAddCustomAppWidget::setSuccess);
    request->sendForm(m_id != 0 ? Api::mtoreCustomAppmodify() : Api::mtoreCustomappadd(),
                      CustomAppContent::saveBody(m_name->text(), m_iconPath, content, m_id));
}

QProgressIndicator* MircroWebSiteAddCustomAppWidget::waitIndicator() const
{
    return m_wait->indicator();
}
