#include "routes/site/TopIconPreview.h"

#include "app/ServiceContext.h"
#include "http/ParamReader.h"
#include "routes/common/JsonText.h"
#include "routes/settings/StyleRoutes.h"
#include "storage/core/ServiceDatabase.h"

#include <QJsonObject>
#include <QSet>
#include <QStringList>

namespace {

const int kMaxContentLength = 10000;
const int kMaxDistrictLength = 40;

bool isKnownKind(const QString& houseType)
{
    return houseType == QStringLiteral("二手房") || houseType == QStringLiteral("租房")
        || houseType == QStringLiteral("新房");
}

} // namespace

const QString TopIconPreview::kQueryKey = QStringLiteral("topicons");

QJsonArray TopIconPreview::read(ServiceContext& context, const QString& companyId, const QString& storedIcons,
                                ParamReader& in)
{
    const QString content = in.text(kQueryKey, QStringLiteral("首页图标"), kMaxContentLength);
    const QJsonArray icons = in.ok() ? StyleRoutes::checkTopIcons(in, content) : QJsonArray();
    if (!in.ok())
        return {};

    QSet<QString> saved;
    for (const QJsonValue& icon : JsonText::parse(storedIcons).array())
        saved.insert(icon.toObject().value(QStringLiteral("url")).toString());
    const QString filesBase = context.fileUrl(QString());
    QStringList names;
    for (int i = 0; i < icons.size(); ++i) {
        const QJsonObject icon = icons.at(i).toObject();
        const QString url = icon.value(QStringLiteral("url")).toString();
        if (!isKnownKind(icon.value(QStringLiteral("housetype")).toString())) {
            in.fail(QStringLiteral("第%1个图标的房屋类型无效").arg(i + 1));
            return {};
        }
        if (icon.value(QStringLiteral("districts")).toString().size() > kMaxDistrictLength) {
            in.fail(QStringLiteral("第%1个图标的区域无效").arg(i + 1));
            return {};
        }
        if (saved.contains(url))
            continue;
        const QString name = url.startsWith(filesBase) ? url.mid(filesBase.size()) : QString();
        if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('?'))
            || name.contains(QLatin1Char('#'))) {
            in.fail(QStringLiteral("第%1个图标不是本公司的图片").arg(i + 1));
            return {};
        }
        names << name;
    }
    if (names.isEmpty())
        return icons;

    // The uploads the company made among the names, in one read.
    QStringList marks;
    QVariantList values{companyId};
    for (const QString& name : names) {
        marks << QStringLiteral("?");
        values << name;
    }
    ServiceDatabase& db = context.db();
    const QList<QVariantMap> rows = db.select(QStringLiteral("SELECT name FROM uploads WHERE company_id = ? AND name IN (")
                                                  + marks.join(QStringLiteral(", ")) + QLatin1Char(')'),
                                              values);
    if (!db.lastError().isEmpty()) {
        in.fail(QStringLiteral("服务暂时不可用，请稍后重试"));
        return {};
    }
    QSet<QString> owned;
    for (const QVariantMap& row : rows)
        owned.insert(row.value(QStringLiteral("name")).toString());
    for (int i = 0; i < names.size(); ++i) {
        if (!owned.contains(names.at(i))) {
            in.fail(QStringLiteral("图标不是本公司的图片"));
            return {};
        }
    }
    return icons;
}
