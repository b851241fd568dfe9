#include "content/topics/MicroWebsiteNewsThemeAddWidget.h"

#include "content/topics/MicroWebsiteNewsThemeListItemView.h"
#include "listings/pickers/MicroWebsiteChooseHouseWidget.h"
#include "net/http/Endpoints.h"
#include "net/http/FormBody.h"
#include "net/http/NetRequestObjecet.h"
#include "net/pictures/ImageShowLabel.h"
#include "net/pictures/PhotoWork.h"
#include "net/platform/AppFolders.h"
#include "store/UserMessage_DataSqlTable.h"
#include "widgets/drafts/EditorDraft.h"
#include "widgets/inputs/ButtonStyles.h"
#include "widgets/photos/PhotoFileDialog.h"
#include "widgets/photos/PhotoWorkWait.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/popups/PopupLauncher.h"
#include "widgets/popups/SaveOutcome.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const char* const kLinkStyle = "QPushButton{border:1px solid #3e8ef7;color:#3e8ef7;border-radius:3px;background:white;"
                               "padding:0 12px;}";

} // namespace

MicroWebsiteNewsThemeAddWidget::MicroWebsiteNewsThemeAddWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MicroWebsiteNewsThemeAddWidget"));
    m_work = new PhotoWork(this);
    m_wait = new PhotoWorkWait(this);
    m_wait->follow(m_work);
    connect(m_work, &PhotoWork::compressed, this, &MicroWebsiteNewsThemeAddWidget::dealIconPhotosCompression);
    connect(m_work, &PhotoWork::compressionDone, m_wait, &PhotoWorkWait::stop);
    connect(m_work, &PhotoWork::uploaded, this, [this](const QList<PhotosUploadObject::PhotosModel>& photos) {
        if (!photos.isEmpty())
            send(photos.first().url);
    });

    m_title = new QLineEdit(this);
    m_title->setObjectName(QStringLiteral("titleEdit"));
    m_title->setPlaceholderText(QStringLiteral("请输入专题主标题"));
    m_subtitle = new QLineEdit(this);
    m_subtitle->setObjectName(QStringLiteral("subtitleEdit"));
    m_subtitle->setPlaceholderText(QStringLiteral("请输入专题副标题"));
    for (QLineEdit* edit : {m_title, m_subtitle})
        edit->setFixedHeight(30);

    m_iconLabel = new ImageShowLabel(this);
    m_iconLabel->setObjectName(QStringLiteral("iconLabel"));
    m_iconLabel->setFixedSize(80, 80);
    m_iconLabel->setShowPlaceholder(true);
    m_iconLabel->setPickable(true);
    connect(m_iconLabel, &ImageShowLabel::clickLabel, this, &MicroWebsiteNewsThemeAddWidget::chooseIconPhoto);
    auto* iconButton = new QPushButton(QStringLiteral("选择图标"), this);
    iconButton->setObjectName(QStringLiteral("iconButton"));
    auto* houseButton = new QPushButton(QStringLiteral("选择关联房源"), this);
    houseButton->setObjectName(QStringLiteral("houseButton"));
    for (QPushButton* button : {iconButton, houseButton}) {
        button->setFixedHeight(30);
        button->setCursor(Qt::PointingHandCursor);
        button->setStyleSheet(QLatin1String(kLinkStyle));
    }
    connect(iconButton, &QPushButton::clicked, this, &MicroWebsiteNewsThemeAddWidget::chooseIconPhoto);
    connect(houseButton, &QPushButton::clicked, this, &MicroWebsiteNewsThemeAddWidget::chooseHouse);
    m_housesLabel = new QLabel(this);
    m_housesLabel->setObjectName(QStringLiteral("housesLabel"));
    m_housesLabel->setTextFormat(Qt::PlainText);
    m_housesLabel->setWordWrap(true);

    auto* iconRow = new QHBoxLayout;
    iconRow->addWidget(m_iconLabel);
    iconRow->addWidget(iconButton);
    iconRow->addStretch();
    auto* houseRow = new QVBoxLayout;
    houseRow->addWidget(houseButton, 0, Qt::AlignLeft);
    houseRow->addWidget(m_housesLabel);

    auto* form = new QFormLayout;
    form->setVerticalSpacing(14);
    form->setLabelAlignment(Qt::AlignRight);
    form->addRow(QStringLiteral("主标题："), m_title);
    form->addRow(QStringLiteral("副标题："), m_subtitle);
    form->addRow(QStringLiteral("专题图标："), iconRow);
    form->addRow(QStringLiteral("关联房源："), houseRow);

    auto* submit = new QPushButton(QStringLiteral("提交"), this);
    submit->setObjectName(QStringLiteral("submitButton"));
    submit->setFixedSize(100, 32);
    submit->setCursor(Qt::PointingHandCursor);
    submit->setStyleSheet(ButtonStyles::primary());
    connect(submit, &QPushButton::clicked, this, &MicroWebsiteNewsThemeAddWidget::submitData);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(submit);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(30, 16, 30, 16);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(buttons);

    m_draft = new EditorDraft(this, QStringLiteral("topic"));
    m_draft->addField(QStringLiteral("title"), m_title);
    m_draft->addField(QStringLiteral("title_one"), m_subtitle);
    m_draft->addPictures(
        QStringLiteral("img"), [this]() { return m_icon.isEmpty() ? QStringList() : QStringList{m_icon}; },
        [this](const QStringList& icons) { showIcon(icons.value(0)); }, m_work,
        [this](const QStringList& files) {
            m_wait->show(QString());
            m_work->compress(files, PhotoWork::DefaultLimit, 1.0, true);
        });
    m_draft->addField(
        QStringLiteral("houses"),
        [this]() -> QJsonValue {
            QJsonArray houses;
            for (const QVariantMap& house : qAsConst(m_houses)) {
                houses.append(QJsonObject{{QStringLiteral("id"), house.value(QStringLiteral("id")).toInt()},
                                          {QStringLiteral("title"), house.value(QStringLiteral("title")).toString()}});
            }
            return houses;
        },
        [this](const QJsonValue& value) {
            QList<QVariantMap> houses;
            for (const QJsonValue& house : value.toArray())
                houses.append(house.toObject().toVariantMap());
            setHouses(houses);
        });
    m_draft->startWhenShown();
}

void MicroWebsiteNewsThemeAddWidget::showIcon(const QString& icon)
{
    m_icon = icon;
    if (icon.isEmpty())
        return;
    m_iconLabel->loadPickedOrServiceImage(icon);
}

void MicroWebsiteNewsThemeAddWidget::setTopic(const QVariantMap& row)
{
    m_id = row.value(QStringLiteral("id")).toInt();
    m_draft->setRecord(m_id);
    m_title->setText(row.value(QStringLiteral("title")).toString());
    m_subtitle->setText(row.value(QStringLiteral("title_one")).toString());
    m_icon = row.value(QStringLiteral("img")).toString();
    if (!m_icon.isEmpty())
        m_iconLabel->loadServiceImage(m_icon);
    setHouses(MicroWebsiteNewsThemeListItemView::linkedHouses(row));
}

QString MicroWebsiteNewsThemeAddWidget::checkInput(const QString& title, const QString& icon, int houseCount,
                                                   bool compressing)
{
    if (title.isEmpty())
        return QStringLiteral("请输入专题标题");
    if (icon.isEmpty() && !compressing)
        return QStringLiteral("请选择专题图标");
    if (compressing)
        return QStringLiteral("正在处理图片，请稍等！");
    if (houseCount <= 0)
        return QStringLiteral("至少得选择一套关联房源");
    return QString();
}

FormBody MicroWebsiteNewsThemeAddWidget::saveBody(int id, const QString& companyId, const QString& cityId,
                                                  const QList<QVariantMap>& houses, const QString& title,
                                                  const QString& subtitle, const QString& img)
{
    QJsonArray chosen;
    for (const QVariantMap& house : houses) {
        chosen.append(QJsonObject{{QStringLiteral("id"), house.value(QStringLiteral("id")).toInt()},
                                  {QStringLiteral("title"), house.value(QStringLiteral("title")).toString()}});
    }
    FormBody body;
    if (id > 0)
        body.add(QStringLiteral("id"), id);
    else
        body.add(QStringLiteral("companyid"), companyId).add(QStringLiteral("cityid"), cityId);
    body.add(QStringLiteral("houseid"), QString::fromUtf8(QJsonDocument(chosen).toJson(QJsonDocument::Compact)))
        .add(QStringLiteral("title"), title)
        .add(QStringLiteral("title_one"), subtitle)
        .add(QStringLiteral("img"), img);
    return body;
}

QString MicroWebsiteNewsThemeAddWidget::housesText(const QList<QVariantMap>& houses)
{
    if (houses.isEmpty())
        return QString();
    QStringList titles;
    for (const QVariantMap& house : houses)
        titles.append(house.value(QStringLiteral("title")).toString());
    return QStringLiteral("【%1套】%2").arg(houses.size()).arg(titles.join(QLatin1Char(';')));
}

bool MicroWebsiteNewsThemeAddWidget::isProcessingIcon() const
{
    return m_work->isCompressing();
}

void MicroWebsiteNewsThemeAddWidget::chooseIconPhoto()
{
    const QStringList files = PhotoFileDialog::pick(this, false, QStringLiteral("选取图标"),
                                                    AppFolders::baseFolder() + QStringLiteral("/src/MicroWebSize"));
    if (files.isEmpty())
        return;
    m_wait->show(QString());
    m_work->compress(files, PhotoWork::DefaultLimit, 1.0, true);
}

void MicroWebsiteNewsThemeAddWidget::dealIconPhotosCompression(QString path)
{
    m_icon = path;
    m_iconLabel->loadImage(path);
    m_draft->changed();
}

void MicroWebsiteNewsThemeAddWidget::chooseHouse()
{
    if (m_pickerPopup)
        return;
    auto* picker = new MicroWebsiteChooseHouseWidget;
    QList<MicroWebsiteChooseHouseWidget::ItemData> chosen;
    for (const QVariantMap& house : qAsConst(m_houses))
        chosen.append({house.value(QStringLiteral("id")).toInt(), house.value(QStringLiteral("title")).toString()});
    picker->setChosen(chosen);
    CommonAddWidget* popup = PopupLauncher::open(QStringLiteral("选择关联房源"), QSize(750, 650), picker);
    m_pickerPopup = popup;
    connect(picker, &MicroWebsiteChooseHouseWidget::closeWidget, popup, &CommonAddWidget::closeWidget);
    connect(picker, &MicroWebsiteChooseHouseWidget::backChooose, this,
            [this, popup](const QList<MicroWebsiteChooseHouseWidget::ItemData>& items) {
                QList<QVariantMap> houses;
                for (const MicroWebsiteChooseHouseWidget::ItemData& item : items)
                    houses.append({{QStringLiteral("id"), item.id}, {QStringLiteral("title"), item.title}});
                setHouses(houses);
                popup->closeWidget();
            });
}

void MicroWebsiteNewsThemeAddWidget::setHouses(const QList<QVariantMap>& houses)
{
    m_houses = houses;
    m_housesLabel->setText(housesText(houses));
    m_draft->changed();
}

void MicroWebsiteNewsThemeAddWidget::submitData()
{
    const QString message = checkInput(m_title->text(), m_icon, m_houses.size(), m_work->isCompressing());
    if (!message.isEmpty()) {
        AlertWidget::showWarning(message);
        return;
    }
    if (m_work->isUploading())
        return;
    m_wait->show(QStringLiteral("提交数据中"));
    m_work->upload(Api::appUpphoto(), {m_icon}, {{QStringLiteral("type"), QStringLiteral("8")}});
}

void MicroWebsiteNewsThemeAddWidget::send(const QString& img)
{
    const UserMessage_DataSqlTable::UserMessage user = UserMessage_DataSqlTable(this).getUserMessage();
    auto* request = new NetRequestObjecet(this);
    connect(request, &NetRequestObjecet::loadFinish, this, [this, request]() {
        request->deleteLater();
        m_wait->stop();
    });
    SaveOutcome::follow(request, this, m_id > 0 ? QStringLiteral("修改专题成功！") : QStringLiteral("添加专题成功！"),
                        findChild<QPushButton*>(QStringLiteral("submitButton")));
    connect(request, &NetRequestObjecet::loadSuccess, this, &MicroWebsiteNewsThemeAddWidget::addSuccess);
    request->sendForm(m_id > 0 ? Api::subjectEdit() : Api::subjectAdd(),
                      saveBody(m_id, user.value(QStringLiteral("companyid")), user.value(QStringLiteral("cityid")), m_houses,
                               m_title->text(), m_subtitle->text(), img));
}

QProgressIndicator* MicroWebsiteNewsThemeAddWidget::waitIndicator() const
{
    return m_wait->indicator();
}
