#include "seed/settings/StyleSeed.h"

#include "app/ServiceContext.h"
#include "storage/core/ServiceDatabase.h"
#include "storage/settings/StyleData.h"

#include <QColor>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QVariantMap>

namespace {

struct SiteRow
{
    const char* companyId;
    int zhuti; // 0: never saved
    int dibu;
    // The districts of the rent and new-house icons.
    const char* rentDistrict;
    const char* newDistrict;
};

const SiteRow kSites[] = {
    {"10001", 5, 2, "锦江区", "高新区"},
    {"20002", 2, 3, "渝中区", "江北区"},
    {"30728", 0, 0, "10102", ""},
};

enum Glyph { House, Key, Tower };

// A top icon of the suggested 109 x 92: a tile in the search's colour with a white glyph.
QString drawIcon(ServiceContext& context, const QColor& colour, Glyph glyph)
{
    QImage image(109, 92, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(2, 2, 105, 88), 18, 18);
    painter.setBrush(Qt::white);
    switch (glyph) {
    case House:
        painter.drawPolygon(QPolygonF({QPointF(54.5, 16), QPointF(84, 44), QPointF(25, 44)}));
        painter.drawRect(QRectF(34, 44, 41, 30));
        painter.setBrush(colour);
        painter.drawRect(QRectF(49, 54, 12, 20));
        break;
    case Key:
        painter.drawEllipse(QPointF(36, 46), 16, 16);
        painter.drawRect(QRectF(48, 42, 40, 8));
        painter.drawRect(QRectF(74, 50, 6, 12));
        painter.drawRect(QRectF(82, 50, 6, 8));
        painter.setBrush(colour);
        painter.drawEllipse(QPointF(36, 46), 6, 6);
        break;
    case Tower:
        painter.drawRect(QRectF(30, 30, 22, 46));
        painter.drawRect(QRectF(56, 16, 24, 60));
        painter.setBrush(colour);
        for (int row = 0; row < 4; ++row) {
            painter.drawRect(QRectF(61, 22 + row * 12, 5, 6));
            painter.drawRect(QRectF(70, 22 + row * 12, 5, 6));
            if (row < 3)
                painter.drawRect(QRectF(38, 36 + row * 12, 6, 6));
        }
        break;
    }
    painter.end();
    const QString name = context.saveImage(image, "PNG");
    return name.isEmpty() ? QString() : context.fileUrl(name);
}

QJsonObject icon(const QString& url, const QString& houseType, const char* district)
{
    return QJsonObject{{QStringLiteral("url"), url},
                       {QStringLiteral("housetype"), houseType},
                       {QStringLiteral("districts"), QString::fromUtf8(district)}};
}

} // namespace

bool StyleSeed::seed(ServiceContext& context)
{
    ServiceDatabase& db = context.db();
    const QString sale = drawIcon(context, QColor(50, 143, 235), House);
    const QString rent = drawIcon(context, QColor(246, 168, 0), Key);
    const QString newHouse = drawIcon(context, QColor(0, 171, 133), Tower);
    for (const SiteRow& site : kSites) {
        const QString companyId = QString::fromUtf8(site.companyId);
        const QJsonArray icons = {icon(sale, QStringLiteral("二手房"), ""),
                                  icon(rent, QStringLiteral("租房"), site.rentDistrict),
                                  icon(newHouse, QStringLiteral("新房"), site.newDistrict)};
        if (!StyleData::saveTopIcons(db, companyId,
                                     QString::fromUtf8(QJsonDocument(icons).toJson(QJsonDocument::Compact))))
            return false;
        if (site.zhuti == 0)
            continue;
        const QVariantMap settings{{QStringLiteral("zhuti"), site.zhuti}, {QStringLiteral("dibu"), site.dibu}};
        if (!StyleData::saveSettings(db, companyId, settings))
            return false;
    }
    return true;
}
