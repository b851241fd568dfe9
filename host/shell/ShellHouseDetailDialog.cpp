#include "ShellHouseDetailDialog.h"

#include "DataCenter.h"
#include "ShellSession.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QString shortest(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString field(const QJsonObject& house, const QString& key)
{
    const QJsonValue value = house.value(key);
    return value.isDouble() ? shortest(value.toDouble()) : value.toString();
}

} // namespace

ShellHouseDetailDialog::ShellHouseDetailDialog(QWidget* parent)
    : QDialog(parent)
    , m_network(new QNetworkAccessManager(this))
    , m_heading(new QLabel(this))
    , m_position(new QLabel(this))
    , m_fieldsArea(new QWidget(this))
    , m_fields(new QFormLayout(m_fieldsArea))
    , m_remark(new QLabel(this))
    , m_problem(new QLabel(this))
    , m_previous(new QPushButton(QStringLiteral("上一套"), this))
    , m_next(new QPushButton(QStringLiteral("下一套"), this))
{
    setObjectName(QStringLiteral("ShellHouseDetailDialog"));
    setWindowTitle(QStringLiteral("房源详情"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(520, 560);
    setStyleSheet(QStringLiteral("QDialog{background-color:#ffffff;}"
                                 "QLabel{font:13px \"微软雅黑\";color:rgb(60,60,60);}"
                                 "QLabel#headingLabel{font:bold 18px \"微软雅黑\";color:rgb(30,30,30);}"
                                 "QLabel#positionLabel,QLabel#problemLabel{color:rgb(140,140,140);}"
                                 "QPushButton{font:13px \"微软雅黑\";padding:5px 18px;border-radius:4px;"
                                 "color:rgb(12,145,235);border:1px solid rgb(12,145,235);background:#ffffff;}"
                                 "QPushButton:disabled{color:rgb(180,180,180);border-color:rgb(210,210,210);}"));

    m_heading->setObjectName(QStringLiteral("headingLabel"));
    m_heading->setWordWrap(true);
    m_position->setObjectName(QStringLiteral("positionLabel"));
    m_problem->setObjectName(QStringLiteral("problemLabel"));
    m_problem->setWordWrap(true);
    m_problem->hide();
    m_remark->setObjectName(QStringLiteral("remarkLabel"));
    m_remark->setWordWrap(true);
    m_remark->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_previous->setObjectName(QStringLiteral("pushButton_previous"));
    m_next->setObjectName(QStringLiteral("pushButton_next"));
    m_previous->setCursor(Qt::PointingHandCursor);
    m_next->setCursor(Qt::PointingHandCursor);
    m_fields->setLabelAlignment(Qt::AlignRight);
    m_fields->setHorizontalSpacing(16);
    m_fields->setVerticalSpacing(8);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_position);
    buttons->addStretch(1);
    buttons->addWidget(m_previous);
    buttons->addWidget(m_next);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 18);
    layout->setSpacing(14);
    layout->addWidget(m_heading);
    layout->addWidget(m_fieldsArea);
    layout->addWidget(m_remark, 1);
    layout->addWidget(m_problem);
    layout->addLayout(buttons);

    connect(m_previous, &QPushButton::clicked, this, [this] { step(-1); });
    connect(m_next, &QPushButton::clicked, this, [this] { step(1); });
}

void ShellHouseDetailDialog::showHouse(qint64 id, const QList<qint64>& ids)
{
    m_ids = ids;
    m_index = ids.indexOf(id);
    updateButtons();
    if (id <= 0) {
        showProblem(QStringLiteral("该房源只发布在官网上，房源本中没有它的记录。"));
        return;
    }
    load(id);
}

void ShellHouseDetailDialog::step(int delta)
{
    const int index = m_index + delta;
    if (index < 0 || index >= m_ids.size())
        return;
    m_index = index;
    updateButtons();
    load(m_ids.at(index));
}

void ShellHouseDetailDialog::updateButtons()
{
    // A house missing from the list (index -1) starts the stepping at the first one.
    m_previous->setEnabled(m_index > 0);
    m_next->setEnabled(m_index + 1 < m_ids.size());
    m_position->setText(m_index >= 0 ? QStringLiteral("第 %1 / %2 套").arg(m_index + 1).arg(m_ids.size())
                                     : QStringLiteral("共 %1 套").arg(m_ids.size()));
}

void ShellHouseDetailDialog::load(qint64 id)
{
    // Only the newest answer counts when the user steps on quickly.
    if (m_pending)
        m_pending->abort();
    QNetworkRequest request(QUrl(ShellSession::apiBase() + QStringLiteral("app/SyncHousebookDetail")));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
    request.setTransferTimeout(15000);
    for (auto it = DataCenter::HttpHeadMap.cbegin(); it != DataCenter::HttpHeadMap.cend(); ++it)
        request.setRawHeader(it.key().toUtf8(), it.value().toString().toUtf8());
    if (DataCenter::CookieVar.isValid())
        request.setRawHeader("Cookie", DataCenter::CookieVar.toString().toUtf8());
    m_heading->setText(QStringLiteral("正在加载…"));
    QNetworkReply* reply = m_network->post(request, "id=" + QByteArray::number(id));
    m_pending = reply;
    connect(reply, &QNetworkReply::finished, this, [this, reply, id] { dealReply(reply, id); });
}

void ShellHouseDetailDialog::dealReply(QNetworkReply* reply, qint64 id)
{
    reply->deleteLater();
    if (reply != m_pending)
        return;
    if (reply->error() == QNetworkReply::OperationCanceledError)
        return;
    if (reply->error() != QNetworkReply::NoError && reply->error() < QNetworkReply::ContentAccessDenied) {
        showProblem(QStringLiteral("无法连接服务：%1").arg(reply->errorString()));
        return;
    }
    const QJsonObject envelope = QJsonDocument::fromJson(reply->readAll()).object();
    if (envelope.value(QStringLiteral("code")).toVariant().toInt() != 200) {
        const QString message = envelope.value(QStringLiteral("message")).toString();
        showProblem(message.isEmpty() ? QStringLiteral("房源 %1 读取失败").arg(id) : message);
        return;
    }
    showDetail(envelope.value(QStringLiteral("data")).toObject());
}

void ShellHouseDetailDialog::showProblem(const QString& text)
{
    m_heading->setText(QStringLiteral("房源详情"));
    m_fieldsArea->hide();
    m_remark->clear();
    m_problem->setText(text);
    m_problem->show();
}

void ShellHouseDetailDialog::showDetail(const QJsonObject& house)
{
    const bool sale = house.value(QStringLiteral("kind")).toInt() == 0;
    QStringList room;
    for (const QString& key : {QStringLiteral("buildingNo"), QStringLiteral("unitNo"), QStringLiteral("roomNo")}) {
        if (!field(house, key).isEmpty())
            room.append(field(house, key));
    }
    m_heading->setText(QStringLiteral("%1 %2").arg(field(house, QStringLiteral("name")), room.join(QLatin1Char('-'))));

    while (m_fields->rowCount() > 0)
        m_fields->removeRow(0);
    const auto addRow = [this](const QString& label, const QString& value) {
        if (value.isEmpty())
            return;
        auto* text = new QLabel(value, m_fieldsArea);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_fields->addRow(label, text);
    };
    addRow(QStringLiteral("房源编号："), field(house, QStringLiteral("id")));
    addRow(QStringLiteral("类型："), sale ? QStringLiteral("出售") : QStringLiteral("出租"));
    addRow(QStringLiteral("区域："), field(house, QStringLiteral("district")) + field(house, QStringLiteral("area")));
    addRow(QStringLiteral("地址："), field(house, QStringLiteral("address")));
    addRow(QStringLiteral("户型："), field(house, QStringLiteral("hutype")));
    addRow(QStringLiteral("楼层："), QStringLiteral("%1/%2层").arg(field(house, QStringLiteral("floors")),
                                                                 field(house, QStringLiteral("allfloors"))));
    addRow(QStringLiteral("面积："), field(house, QStringLiteral("builtuparea")) + QStringLiteral("㎡"));
    if (sale) {
        addRow(QStringLiteral("售价："), field(house, QStringLiteral("price")) + QStringLiteral("万"));
        addRow(QStringLiteral("单价："), field(house, QStringLiteral("unitprice")) + QStringLiteral("元/㎡"));
    } else {
        addRow(QStringLiteral("租金："), field(house, QStringLiteral("price")) + QStringLiteral("元/月"));
        addRow(QStringLiteral("付款方式："), field(house, QStringLiteral("payway")));
        addRow(QStringLiteral("出租方式："), field(house, QStringLiteral("rentway")));
    }
    addRow(QStringLiteral("装修："), field(house, QStringLiteral("renovation")));
    addRow(QStringLiteral("朝向："), field(house, QStringLiteral("toward")));
    addRow(QStringLiteral("房屋类型："), field(house, QStringLiteral("housetype")));
    addRow(QStringLiteral("来源："), field(house, QStringLiteral("source")));
    addRow(QStringLiteral("录入时间："), field(house, QStringLiteral("time")));
    m_remark->setText(field(house, QStringLiteral("remark")));
    m_fieldsArea->show();
    m_problem->hide();
}
