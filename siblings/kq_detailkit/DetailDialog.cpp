#include "DetailDialog.h"

#include "DataCenter.h"
#include "SiblingServiceClient.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QMap<QString, QPointer<DetailDialog>>& openDialogs()
{
    static QMap<QString, QPointer<DetailDialog>> dialogs;
    return dialogs;
}

QString valueOf(const QJsonObject& record, const QString& key)
{
    const QJsonValue value = record.value(key);
    if (value.isDouble())
        return QString::number(value.toDouble(), 'g', 15);
    return value.toString().trimmed();
}

} // namespace

DetailDialog* DetailDialog::open(const Spec& spec, const QList<qint64>& ids, qint64 currentId)
{
    QPointer<DetailDialog>& slot = openDialogs()[spec.objectName];
    if (!slot)
        slot = new DetailDialog(spec, DataCenter::MainWindowWidget);
    slot->setRecords(ids, currentId);
    slot->show();
    slot->raise();
    slot->activateWindow();
    return slot;
}

qint64 DetailDialog::idOf(const QVariant& record)
{
    if (record.type() == QVariant::Map)
        return record.toMap().value(QStringLiteral("id")).toLongLong();
    return record.toLongLong();
}

QList<qint64> DetailDialog::idsOf(const QVariant& list)
{
    QList<qint64> ids;
    if (list.type() != QVariant::List)
        return ids;
    for (const QVariant& value : list.toList()) {
        if (value.toLongLong() > 0)
            ids.append(value.toLongLong());
    }
    return ids;
}

DetailDialog::DetailDialog(const Spec& spec, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowCloseButtonHint)
    , m_spec(spec)
    , m_client(new SiblingServiceClient(QStringLiteral("加载失败，请稍后重试"), this))
    , m_pictures(new QNetworkAccessManager(this))
    , m_heading(new QLabel(this))
    , m_picture(new QLabel(this))
    , m_status(new QLabel(this))
    , m_position(new QLabel(this))
    , m_previous(new QPushButton(QStringLiteral("上一个"), this))
    , m_next(new QPushButton(QStringLiteral("下一个"), this))
{
    setObjectName(spec.objectName);
    setWindowTitle(spec.title);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    resize(560, 600);
    setStyleSheet(QStringLiteral(
        "QDialog{background: white;} QLabel{font: 13px \"微软雅黑\"; color: rgb(60,60,60);}"
        "#label_heading{font: bold 18px \"微软雅黑\"; color: rgb(30,30,30);}"
        "#label_status{color: rgb(200,80,60);}"
        "QPushButton{border: 1px solid rgb(221,221,221); border-radius: 3px; background: white; padding: 4px 14px;"
        " font: 13px \"微软雅黑\";} QPushButton:hover{border-color: rgb(55,129,241); color: rgb(55,129,241);}"
        "QPushButton:disabled{color: rgb(190,190,190);}"));

    m_heading->setObjectName(QStringLiteral("label_heading"));
    m_heading->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_picture->setObjectName(QStringLiteral("label_picture"));
    m_picture->setFixedSize(240, 180);
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setStyleSheet(QStringLiteral("background: rgb(245,246,248);"));
    m_status->setObjectName(QStringLiteral("label_status"));
    m_position->setObjectName(QStringLiteral("label_position"));
    m_previous->setObjectName(QStringLiteral("pushButton_previous"));
    m_next->setObjectName(QStringLiteral("pushButton_next"));
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("pushButton_close"));

    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    form->setHorizontalSpacing(16);
    form->setVerticalSpacing(10);
    for (const DetailField& field : spec.fields) {
        auto* value = new QLabel(this);
        value->setObjectName(QStringLiteral("value_") + field.key);
        value->setWordWrap(true);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(field.label + QStringLiteral("："), value);
        m_values.insert(field.key, value);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_previous);
    buttons->addWidget(m_position);
    buttons->addWidget(m_next);
    buttons->addStretch();
    buttons->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 18);
    layout->setSpacing(14);
    layout->addWidget(m_heading);
    layout->addWidget(m_picture);
    layout->addLayout(form);
    layout->addWidget(m_status);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(m_previous, &QPushButton::clicked, this, &DetailDialog::showPrevious);
    connect(m_next, &QPushButton::clicked, this, &DetailDialog::showNext);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_client, &SiblingServiceClient::succeeded, this, &DetailDialog::dealLoaded);
    connect(m_client, &SiblingServiceClient::failed, this, &DetailDialog::dealFailed);
    connect(m_pictures, &QNetworkAccessManager::finished, this, &DetailDialog::dealPicture);
}

qint64 DetailDialog::currentId() const
{
    return m_ids.value(m_index);
}

QString DetailDialog::valueText(const QString& key) const
{
    const QLabel* label = m_values.value(key);
    return label ? label->text() : QString();
}

QString DetailDialog::heading() const
{
    return m_heading->text();
}

QString DetailDialog::statusText() const
{
    return m_status->text();
}

void DetailDialog::setRecords(const QList<qint64>& ids, qint64 currentId)
{
    m_ids = ids;
    if (!m_ids.contains(currentId))
        m_ids.prepend(currentId);
    m_index = m_ids.indexOf(currentId);
    load();
}

void DetailDialog::showPrevious()
{
    if (m_index > 0) {
        --m_index;
        load();
    }
}

void DetailDialog::showNext()
{
    if (m_index + 1 < m_ids.size()) {
        ++m_index;
        load();
    }
}

void DetailDialog::load()
{
    m_status->setText(QStringLiteral("正在加载…"));
    updateNavigation();
    m_client->post(m_spec.path, {{QStringLiteral("id"), QString::number(currentId())}});
}

void DetailDialog::dealLoaded(const QJsonValue& reply)
{
    const QJsonObject record = reply.toObject();
    m_status->clear();
    m_heading->setText(valueOf(record, m_spec.nameKey));
    for (const DetailField& field : qAsConst(m_spec.fields)) {
        const QString value = valueOf(record, field.key);
        QString shown = QStringLiteral("—");
        if (!value.isEmpty())
            shown = field.format.isEmpty() ? value : field.format.arg(value);
        m_values.value(field.key)->setText(shown);
    }
    loadPicture(valueOf(record, m_spec.pictureKey));
    emit recordShown(currentId());
}

void DetailDialog::dealFailed(const QString& message)
{
    m_status->setText(message);
}

void DetailDialog::loadPicture(const QString& address)
{
    m_picture->clear();
    if (QNetworkReply* stale = m_pictureReply) {
        m_pictureReply = nullptr;
        stale->abort();
    }
    const QUrl url = QUrl::fromUserInput(address);
    if (address.isEmpty() || !url.isValid())
        return;
    QNetworkRequest request(url);
    request.setTransferTimeout(30000);
    m_pictureReply = m_pictures->get(request);
}

void DetailDialog::dealPicture(QNetworkReply* reply)
{
    reply->deleteLater();
    if (reply != m_pictureReply)
        return;
    m_pictureReply = nullptr;
    QPixmap picture;
    if (reply->error() == QNetworkReply::NoError && picture.loadFromData(reply->readAll()))
        m_picture->setPixmap(picture.scaled(m_picture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void DetailDialog::updateNavigation()
{
    m_previous->setEnabled(m_index > 0);
    m_next->setEnabled(m_index + 1 < m_ids.size());
    m_position->setText(QStringLiteral("%1 / %2").arg(m_index + 1).arg(m_ids.size()));
}
