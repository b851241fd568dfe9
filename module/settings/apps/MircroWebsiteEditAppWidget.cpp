#include "settings/apps/MircroWebsiteEditAppWidget.h"

#include "net/http/Endpoints.h"
#include "net/http/FormBody.h"
#include "net/http/NetRequestObjecet.h"
#include "net/pictures/ImageShowLabel.h"
#include "net/pictures/PhotoWork.h"
#include "settings/apps/CustomAppContent.h"
#include "widgets/drafts/EditorDraft.h"
#include "widgets/inputs/ButtonStyles.h"
#include "widgets/photos/PhotoFileDialog.h"
#include "widgets/photos/PhotoWorkWait.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/popups/SaveOutcome.h"
#include "widgets/tiles/ItemButtonWidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

MircroWebsiteEditAppWidget::MircroWebsiteEditAppWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MircroWebsiteEditAppWidget"));
    m_work = new PhotoWork(this);
    m_wait = new PhotoWorkWait(this);
    m_wait->follow(m_work);
    connect(m_work, &PhotoWork::compressed, this, &MircroWebsiteEditAppWidget::dealPhotosCompression);
    connect(m_work, &PhotoWork::compressionDone, m_wait, &PhotoWorkWait::stop);
    connect(m_work, &PhotoWork::uploaded, this, [this](const QList<PhotosUploadObject::PhotosModel>& photos) {
        if (!photos.isEmpty())
            send(photos.first().url);
    });

    m_icon = new ImageShowLabel(this);
    m_icon->setObjectName(QStringLiteral("iconLabel"));
    m_icon->setFixedSize(88, 88);
    m_icon->setShowPlaceholder(true);
    m_icon->setPickable(true);
    connect(m_icon, &ImageShowLabel::clickLabel, this, &MircroWebsiteEditAppWidget::choosePhoto);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("nameEdit"));
    m_name->setPlaceholderText(QStringLiteral("请输入应用名称"));
    m_name->setFixedHeight(30);
    auto* submit = new QPushButton(QStringLiteral("提交"), this);
    submit->setObjectName(QStringLiteral("submitButton"));
    submit->setFixedSize(160, 36);
    submit->setCursor(Qt::PointingHandCursor);
    submit->setStyleSheet(ButtonStyles::primaryRound());
    connect(submit, &QPushButton::clicked, this, &MircroWebsiteEditAppWidget::submitData);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QStringLiteral("应用名："), this));
    nameRow->addWidget(m_name, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(30, 16, 30, 16);
    layout->setSpacing(12);
    layout->addWidget(new QLabel(QStringLiteral("点击选择应用图标：(建议尺寸132x132)"), this));
    layout->addWidget(m_icon);
    layout->addLayout(nameRow);
    layout->addStretch();
    layout->addWidget(submit, 0, Qt::AlignHCenter);

    m_draft = new EditorDraft(this, QStringLiteral("systemApp"));
    m_draft->addPictures(
        QStringLiteral("icon"), [this]() { return m_iconPath.isEmpty() ? QStringList() : QStringList{m_iconPath}; },
        [this](const QStringList& icons) {
            // Without one the icon shown stays: the built-in one, or what the service holds.
            const QString icon = icons.value(0);
            if (icon.isEmpty())
                return;
            m_iconPath = icon;
            if (ImageShowLabel::isAddress(icon))
                m_icon->loadServiceImage(icon);
            else
                m_icon->loadImage(icon);
        },
        m_work,
        [this](const QStringList& files) {
            m_wait->show(QString());
            m_work->compress(files, PhotoWork::DefaultLimit, 1.0, true);
        });
    m_draft->addField(QStringLiteral("name"), m_name);
    m_draft->startWhenShown();
}

void MircroWebsiteEditAppWidget::setData(const MircroWebsiteStyleSet_Model::APP& app)
{
    m_id = app.id;
    m_draft->setRecord(app.id);
    m_name->setText(app.title);
    m_iconPath = app.url;
    const QString shown = app.url.isEmpty() ? ItemButtonWidget::builtInIcon(app.id, app.type) : app.url;
    if (ImageShowLabel::isAddress(shown))
        m_icon->loadServiceImage(shown);
    else
        m_icon->loadImage(shown);
}

QString MircroWebsiteEditAppWidget::checkInput(const QString& name, bool compressing)
{
    if (compressing)
        return QStringLiteral("正在处理图片，请稍等再提交...");
    if (name.isEmpty())
        return QStringLiteral("请填写应用名称！");
    if (name.size() > CustomAppContent::MaxNameLength)
        return QStringLiteral("应用名称长度应小于等于4位！");
    return QString();
}

FormBody MircroWebsiteEditAppWidget::saveBody(int id, const QString& name, const QString& photo)
{
    FormBody body;
    body.add(QStringLiteral("id"), id).add(QStringLiteral("name"), name).add(QStringLiteral("photo"), photo);
    return body;
}

bool MircroWebsiteEditAppWidget::isBusy() const
{
    return m_work->isCompressing();
}

void MircroWebsiteEditAppWidget::choosePhoto()
{
    const QStringList files = PhotoFileDialog::pick(this, false, QStringLiteral("选取应用图标"));
    if (files.isEmpty())
        return;
    m_wait->show(QString());
    m_work->compress(files, PhotoWork::DefaultLimit, 1.0, true);
}

void MircroWebsiteEditAppWidget::dealPhotosCompression(QString path)
{
    m_iconPath = path;
    m_icon->loadImage(path);
    m_draft->changed();
}

void MircroWebsiteEditAppWidget::submitData()
{
    const QString message = checkInput(m_name->text(), m_work->isCompressing());
    if (!message.isEmpty()) {
        AlertWidget::showWarning(message);
        return;
    }
    if (m_work->isUploading())
        return;
    // A resource path or an address stays as it is; only a newly picked file is uploaded.
    const bool picked = !m_iconPath.isEmpty() && !m_iconPath.startsWith(QLatin1Char(':'))
        && !ImageShowLabel::isAddress(m_iconPath);
    m_wait->show(QStringLiteral("提交中"));
    if (picked)
        m_work->upload(Api::appUpphoto(), {m_iconPath}, {{QStringLiteral("type"), QStringLiteral("8")}});
    else
        send(ImageShowLabel::isAddress(m_iconPath) ? m_iconPath : QString()); // "": the built-in icon stays
}

void MircroWebsiteEditAppWidget::send(const QString& photo)
{
    auto* request = new NetRequestObjecet(this);
    connect(request, &NetRequestObjecet::loadFinish, this, [this, request]() {
        request->deleteLater();
        m_wait->stop();
    });
    SaveOutcome::follow(request, this, QStringLiteral("修改应用成功！"), findChild<QPushButton*>(QStringLiteral("submitButton")));
    connect(request, &NetRequestObjecet::loadSuccess, this, &MircroWebsiteEditAppWidget::setSuccess);
    request->sendForm(Api::mtoreCustomAppmodify(), saveBody(m_id, m_name->text(), photo));
}

