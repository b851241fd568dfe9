#include "content/profile/CompanyProfileEditWidget.h"

#include "net/http/Endpoints.h"
#include "net/http/FormBody.h"
#include "net/http/NetRequestObjecet.h"
#include "net/pictures/PhotoWork.h"
#include "widgets/drafts/EditorDraft.h"
#include "widgets/inputs/ButtonStyles.h"
#include "widgets/lists/QProgressIndicator.h"
#include "widgets/photos/HouseDetailPictureListWidget.h"
#include "widgets/photos/PhotoFileDialog.h"
#include "widgets/photos/PhotoWorkWait.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/popups/SaveOutcome.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

CompanyProfileEditWidget::CompanyProfileEditWidget(const QString& content, const QString& address, const QString& tel,
                                                   const QStringList& photos, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("CompanyProfileEditWidget"));
    m_work = new PhotoWork(this);
    m_wait = new PhotoWorkWait(this);
    m_wait->follow(m_work);
    connect(m_work, &PhotoWork::compressed, this, &CompanyProfileEditWidget::compressionResult);
    connect(m_work, &PhotoWork::compressionDone, this, [this]() {
        m_wait->stop();
        layoutTiles();
    });
    connect(m_work, &PhotoWork::uploaded, this, &CompanyProfileEditWidget::submit_alldata);

    m_address = new QLineEdit(address, this);
    m_address->setObjectName(QStringLiteral("addressEdit"));
    m_address->setPlaceholderText(QStringLiteral("请填写公司地址"));
    m_tel = new QLineEdit(tel, this);
    m_tel->setObjectName(QStringLiteral("telEdit"));
    m_tel->setPlaceholderText(QStringLiteral("请填写公司联系电话"));
    m_content = new QPlainTextEdit(this);
    m_content->setObjectName(QStringLiteral("contentEdit"));
    m_content->setPlaceholderText(QStringLiteral("请填写公司介绍"));
    m_content->setPlainText(content);
    m_content->setFixedHeight(110);

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->addRow(QStringLiteral("公司地址："), m_address);
    form->addRow(QStringLiteral("联系电话："), m_tel);
    form->addRow(QStringLiteral("公司介绍："), m_content);

    m_tileArea = new QWidget;
    m_grid = new QGridLayout(m_tileArea);
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->setSpacing(12);
    m_grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(m_tileArea);

    m_addButton = new QPushButton(QStringLiteral("添加图片"), this);
    m_addButton->setObjectName(QStringLiteral("addPhotoButton"));
    m_saveButton = new QPushButton(QStringLiteral("保存"), this);
    m_saveButton->setObjectName(QStringLiteral("saveButton"));
    for (QPushButton* button : {m_addButton, m_saveButton}) {
        button->setFixedHeight(32);
        button->setCursor(Qt::PointingHandCursor);
        button->setStyleSheet(ButtonStyles::primary());
    }
    connect(m_addButton, &QPushButton::clicked, this, &CompanyProfileEditWidget::choosePhotos);
    connect(m_saveButton, &QPushButton::clicked, this, &CompanyProfileEditWidget::submit_photo_data);

    auto* photoBar = new QHBoxLayout;
    photoBar->addWidget(new QLabel(QStringLiteral("公司图片："), this));
    photoBar->addStretch();
    photoBar->addWidget(m_addButton);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_saveButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 12, 20, 16);
    layout->addLayout(form);
    layout->addLayout(photoBar);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);

    setPhotos(photos);

    // One profile per company: the user's draft of it has one key.
    m_draft = new EditorDraft(this, QStringLiteral("companyProfile"));
    m_draft->setRecord(QStringLiteral("profile"));
    m_draft->addField(QStringLiteral("address"), m_address);
    m_draft->addField(QStringLiteral("tel"), m_tel);
    m_draft->addField(QStringLiteral("content"), m_content);
    m_draft->addPictures(QStringLiteral("photos"), [this]() { return m_photos; },
                         [this](const QStringList& restored) { setPhotos(restored); }, m_work,
                         [this](const QStringList& files) {
                             m_wait->show();
                             m_work->compress(files);
                         });
    m_draft->startWhenShown();
}

void CompanyProfileEditWidget::setPhotos(const QStringList& photos)
{
    for (HouseDetailPictureListWidget* tile : qAsConst(m_tiles)) {
        m_grid->removeWidget(tile);
        tile->deleteLater();
    }
    m_tiles.clear();
    for (const QString& photo : photos)
        addTile(photo);
    m_photos = photos;
    layoutTiles();
}

QString CompanyProfileEditWidget::checkInput(int photoCount, bool compressing, const QString& address,
                                             const QString& tel, const QString& content)
{
    if (photoCount <= 0)
        return QStringLiteral("请至少选择一张图片");
    if (compressing)
        return QStringLiteral("正在处理图片，请稍等！");
    if (address.isEmpty())
        return QStringLiteral("请填写公司地址");
    if (tel.isEmpty())
        return QStringLiteral("请填写公司联系电话");
    if (content.isEmpty())
        return QStringLiteral("请填写公司介绍");
    return QString();
}

FormBody CompanyProfileEditWidget::saveBody(const QString& content, const QString& address, const QString& tel,
                                            const QStringList& photoUrls)
{
    FormBody body;
    body.add(QStringLiteral("content"), content)
        .add(QStringLiteral("address"), address)
        .add(QStringLiteral("tel"), tel)
        .add(QStringLiteral("photos"), photoUrls.join(QLatin1Char(',')));
    return body;
}

int CompanyProfileEditWidget::compressionsInProgress() const
{
    return m_work->runsInFlight();
}

void CompanyProfileEditWidget::choosePhotos()
{
    const QStringList files = PhotoFileDialog::pick(this, true);
    if (files.isEmpty())
        return;
    m_wait->show();
    m_work->compress(files);
}

void CompanyProfileEditWidget::compressionResult(QString path)
{
    m_photos.append(path);
    addTile(path);
    m_draft->changed();
}

void CompanyProfileEditWidget::submit_photo_data()
{
    const QString message = checkInput(m_photos.size(), m_work->isCompressing(), m_address->text(), m_tel->text(),
                                       m_content->toPlainText());
    if (!message.isEmpty()) {
        AlertWidget::showWarning(message);
        return;
    }
    if (m_work->isUploading())
        return;
    m_wait->show();
    QMap<QString, QVariant> fields;
    fields.insert(QStringLiteral("type"), QStringLiteral("11"));
    m_work->upload(Api::appUpphoto(), m_photos, fields);
}

void CompanyProfileEditWidget::submit_alldata(QList<PhotosUploadObject::PhotosModel> list)
{
    QStringList urls;
    for (const PhotosUploadObject::PhotosModel& photo : qAsConst(list))
        urls.append(photo.url);
    auto* request = new NetRequestObjecet(this);
    connect(request, &NetRequestObjecet::loadFinish, this, [this, request]() {
        request->deleteLater();
        m_wait->stop();
    });
    SaveOutcome::follow(request, this, QStringLiteral("保存公司介绍成功！"), m_saveButton);
    connect(request, &NetRequestObjecet::loadSuccess, this, &CompanyProfileEditWidget::editSuccess);
    request->sendForm(Api::mtoreCompanyinfoaddmod(),
                      saveBody(m_content->toPlainText(), m_address->text(), m_tel->text(), urls));
}

void CompanyProfileEditWidget::addTile(const QString& path)
{
    auto* tile = new HouseDetailPictureListWidget(m_tileArea);
    tile->setCaptionVisible(false);
    tile->setPhoto(path);
    connect(tile, &HouseDetailPictureListWidget::deletePic, this, [this, tile]() { removeTile(tile); });
    m_tiles.append(tile);
}

void CompanyProfileEditWidget::removeTile(HouseDetailPictureListWidget* tile)
{
    const int index = m_tiles.indexOf(tile);
    if (index < 0)
        return;
    m_tiles.removeAt(index);
    m_photos.removeAt(index);
    m_grid->removeWidget(tile);
    tile->deleteLater();
    layoutTiles();
    m_draft->changed();
}

void CompanyProfileEditWidget::layoutTiles()
{
    for (int i = 0; i < m_tiles.size(); ++i) {
        HouseDetailPictureListWidget* tile = m_tiles.at(i);
        m_grid->removeWidget(tile);
        m_grid->addWidget(tile, i / 2, i % 2);
        tile->setNumber(i + 1);
        tile->setChooseIndex(i);
        tile->show();
    }
}

QProgressIndicator* CompanyProfileEditWidget::waitIndicator() const
{
    return m_wait->indicator();
}
