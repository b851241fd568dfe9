#include "seed/content/TopicSeed.h"

#include "app/ServiceContext.h"
#include "storage/content/TopicData.h"
#include "storage/core/ServiceDatabase.h"

#include <QColor>
#include <QDateTime>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QStringList>

namespace {

struct TopicRow
{
    const char* companyId;
    bool circle; // the houses come from the company's house circle, not its site
    const char* title;
    const char* titleOne;
    int icon;
    int hits;
    int daysAgo;
    const char* estates; // one house of each estate, joined with ","
};

const TopicRow kTopics[] = {
    {"10001", false, "地铁口好房", "出门即地铁，通勤无忧", 0, 128, 2, "蓝光COCO时代,中德英伦联邦,时代豪庭"},
    {"10001", false, "学区房精选", "名校划片，安心读书", 1, 86, 5, "锦江城市花园,翡翠城"},
    {"10001", false, "江景豪宅", "一线江景，尊享生活", 2, 203, 9, "仁恒滨河湾,龙湖三千城"},
    {"10001", false, "低总价上车盘", "百万以内，首付轻松", 0, 57, 12, "万科金色海蓉,广福桥小区,中德英伦联邦,恒大名都"},
    {"20002", false, "解放碑精选", "两江交汇，繁华之选", 2, 44, 3, "英利国际公寓,北城天街"},
    {"30728", true, "玉林生活圈", "小酒馆旁的烟火人家", 1, 31, 1, "玉林小区,芳草小区,致民路小区"},
    {"30728", true, "领馆区好房", "桐梓林的国际社区", 2, 19, 4, "棕榈泉国际公寓,领事馆花园"},
};

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// A round icon with a house in it.
QString drawIcon(ServiceContext& context, const QColor& colour)
{
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(10, 10, 180, 180));
    painter.setBrush(Qt::white);
    painter.drawPolygon(QPolygonF({QPointF(100, 45), QPointF(150, 95), QPointF(50, 95)}));
    painter.drawRect(QRectF(65, 95, 70, 55));
    painter.end();
    const QString name = context.saveImage(image, "JPG", 90);
    return name.isEmpty() ? QString() : context.fileUrl(name);
}

// The topic's houses as the editor sends them: compact JSON of [{"id", "title"}]; empty when an
// estate has no house to link.
QString houses(ServiceDatabase& db, const TopicRow& row)
{
    const QString sql = row.circle
        ? QStringLiteral("SELECT id, title FROM house_circle WHERE company_id = ? AND kind = 0 AND housename = ?"
                         " ORDER BY id LIMIT 1")
        : QStringLiteral("SELECT id, title FROM site_houses WHERE company_id = ? AND kind = 0 AND putup = 1"
                         " AND village = ? ORDER BY id LIMIT 1");
    QJsonArray list;
    for (const QString& estate : text(row.estates).split(QLatin1Char(','))) {
        const QVariantMap house = db.selectOne(sql, {text(row.companyId), estate});
        if (house.isEmpty())
            return QString();
        list.append(QJsonObject{{QStringLiteral("id"), house.value(QStringLiteral("id")).toLongLong()},
                                {QStringLiteral("title"), house.value(QStringLiteral("title")).toString()}});
    }
    return QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact));
}

} // namespace

bool TopicSeed::seed(ServiceContext& context)
{
    const QStringList icons = {drawIcon(context, QColor(30, 110, 200)), drawIcon(context, QColor(240, 140, 40)),
                               drawIcon(context, QColor(40, 160, 110))};
    if (icons.contains(QString()))
        return false;
    ServiceDatabase& db = context.db();
    const QDateTime now = QDateTime::currentDateTime();
    int sort = 0;
    for (const TopicRow& row : kTopics) {
        TopicData::Topic topic;
        topic.title = text(row.title);
        topic.titleOne = text(row.titleOne);
        topic.img = icons.at(row.icon);
        topic.houseid = houses(db, row);
        topic.hits = row.hits;
        topic.time = now.addDays(-row.daysAgo).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
        topic.sort = ++sort;
        if (topic.houseid.isEmpty() || TopicData::add(db, text(row.companyId), topic) == 0)
            return false;
    }
    return true;
}
