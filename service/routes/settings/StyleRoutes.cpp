#include "routes/settings/StyleRoutes.h"

#include "app/ServiceContext.h"
#include "http/Envelope.h"
#include "http/ParamReader.h"
#include "http/ServiceRequest.h"
#include "http/ServiceRouter.h"
#include "routes/common/JsonText.h"
#include "routes/common/PictureAddress.h"
#include "routes/settings/SiteSettings.h"
#include "sessions/RightsCheck.h"
#include "storage/core/ServiceDatabase.h"

#include <QJsonDocument>

#include <climits>

namespace {

const int kMaxCustomApps = 10;
const int kMaxNameLength = 4;
const int kMaxContentLength = 20000;
const int kMaxPictures = 50;
const int kTopIconCount = 3;
const int kHouseSearch = 2;

const QString kIdLabel = QStringLiteral("应用编号");
const QString kMissingApp = QStringLiteral("该应用不存在或已被删除");
const QString kBadContent = QStringLiteral("应用内容格式错误");
const QString kBadTopIcons = QStringLiteral("首页图标格式错误");

// Checks one picture address of a list ("第2张图片"), counted from 1 for the message.
void checkAddress(ParamReader& in, const QString& address, int number, const QString& what)
{
    if (address.trimmed().isEmpty()) {
        // An address lost in a failed upload: saving without it would drop the picture unnoticed.
        in.fail(QStringLiteral("第%1%2没有地址，请重新上传").arg(number).arg(what));
    } else if (!PictureAddress::isValid(address)) {
        in.fail(QStringLiteral("第%1%2的地址无效").arg(number).arg(what));
    }
}

bool mayWrite(const ServiceRequest& request)
{
    return request.session.isManager;
}

ServiceReply answer(StyleData::Change change, const QJsonObject& data, const QString& message)
{
    switch (change) {
    case StyleData::Change::Done:
        return Envelope::success(data, message);
    case StyleData::Change::NotFound:
        return Envelope::refused(kMissingApp);
    case StyleData::Change::Failed:
        break;
    }
    return Envelope::internalError();
}

} // namespace

StyleRoutes::StyleRoutes(ServiceContext& context)
    : m_context(context)
{
}

void StyleRoutes::registerRoutes(ServiceRouter& router)
{
    const auto session = ServiceRouter::Access::Session;
    router.add(QStringLiteral("api/mtore/getmstorestyleconfig"), session,
               [this](const ServiceRequest& r) { return styleConfig(r); });
    router.add(QStringLiteral("api/mtore/customappadd"), session, [this](const ServiceRequest& r) { return addApp(r); });
    router.add(QStringLiteral("api/mtore/CustomAppmodify"), session,
               [this](const ServiceRequest& r) { return modifyApp(r); });
    router.add(QStringLiteral("api/mtore/customappdelete"), session,
               [this](const ServiceRequest& r) { return deleteApp(r); });
    // One address reads and saves: a save is the one that sends content.
    router.add(QStringLiteral("site/setwmenu"), session, [this](const ServiceRequest& r) {
        return r.params.contains(QStringLiteral("content")) ? saveTopIcons(r) : topIcons(r);
    });
}

ServiceReply StyleRoutes::styleConfig(const ServiceRequest& request)
{
    ServiceDatabase& db = m_context.db();
    const QList<StyleData::App> apps = StyleData::apps(db, request.session.companyId);
    if (!db.lastError().isEmpty())
        return Envelope::internalError();
    QJsonObject config =
        SiteSettings::values(db, request.session.companyId, {QStringLiteral("zhuti"), QStringLiteral("dibu")});
    if (!db.lastError().isEmpty())
        return Envelope::internalError();
    QJsonArray list;
    for (const StyleData::App& app : apps)
        list.append(appJson(app));
    config.insert(QStringLiteral("app"), list);
    return Envelope::success(config);
}

QString StyleRoutes::readName(ParamReader& in)
{
    const QString name = in.text(QStringLiteral("name"), QStringLiteral("应用名称"));
    if (name.size() > kMaxNameLength)
        in.fail(QStringLiteral("应用名称长度应小于等于%1位！").arg(kMaxNameLength));
    return name;
}

StyleData::App StyleRoutes::readCustomApp(ParamReader& in)
{
    StyleData::App app;
    app.content = in.text(QStringLiteral("content"), QStringLiteral("应用内容"), kMaxContentLength);
    if (in.ok())
        checkContent(in, app.content);
    app.title = readName(in);
    app.url = in.optionalText(QStringLiteral("photo"), QString(), 2000);
    if (app.url.trimmed().isEmpty())
        in.fail(QStringLiteral("请选择应用图标！"));
    else if (!PictureAddress::isValid(app.url))
        in.fail(QStringLiteral("应用图标的地址无效"));
    return app;
}

void StyleRoutes::checkContent(ParamReader& in, const QString& content)
{
    // Read the way the app editor reads it back: an array is pictures, an object of type 2 a house
    // search, anything else a text. So JSON that the editor would take for pictures or a search
    // must be whole, or the app would open broken.
    const QJsonDocument document = JsonText::parse(content);
    if (document.isArray()) {
        checkPictures(in, document.array());
        return;
    }
    const QJsonObject search = document.object();
    const QJsonValue type = search.value(QStringLiteral("type"));
    if (!document.isObject() || !type.isDouble() || type.toDouble() != kHouseSearch)
        return;
    const QJsonValue houseType = search.value(QStringLiteral("housetype"));
    if (!houseType.isString() || !search.value(QStringLiteral("districts")).isString())
        in.fail(kBadContent);
    else if (houseType.toString().trimmed().isEmpty())
        in.fail(QStringLiteral("请选择房屋类型"));
}

void StyleRoutes::checkPictures(ParamReader& in, const QJsonArray& pictures)
{
    if (pictures.isEmpty()) {
        in.fail(QStringLiteral("请至少选择一张图片"));
        return;
    }
    if (pictures.size() > kMaxPictures) {
        in.fail(QStringLiteral("图片最多%1张").arg(kMaxPictures));
        return;
    }
    for (int i = 0; i < pictures.size(); ++i) {
        const QJsonObject picture = pictures.at(i).toObject();
        const QJsonValue photo = picture.value(QStringLiteral("photo"));
        if (!pictures.at(i).isObject() || !photo.isString() || !JsonText::isWholeNumber(picture.value(QStringLiteral("sort")))) {
            in.fail(kBadContent);
            return;
        }
        checkAddress(in, photo.toString(), i + 1, QStringLiteral("张图片"));
    }
}

ServiceReply StyleRoutes::addApp(const ServiceRequest& request)
{
    if (!mayWrite(request))
        return Envelope::refused(RightsCheck::noRightMessage());
    ParamReader in(request.params);
    const StyleData::App app = readCustomApp(in);
    if (!in.ok())
        return Envelope::refused(in.message());
    ServiceDatabase& db = m_context.db();
    const QString& companyId = request.session.companyId;
    // Counted, numbered and added in one transaction: apps added at once get distinct ids.
    bool full = false;
    StyleData::App added;
    db.transaction([&] {
        const int count = StyleData::customAppCount(db, companyId);
        full = count >= kMaxCustomApps;
        if (!db.lastError().isEmpty() || full)
            return false;
        added = StyleData::addCustomApp(db, companyId, app);
        return added.id != 0;
    });
    if (full)
        return Envelope::refused(QStringLiteral("最多只能添加%1个自定义应用").arg(kMaxCustomApps));
    if (added.id == 0)
        return Envelope::internalError();
    return Envelope::success(appJson(added), QStringLiteral("添加成功"));
}

ServiceReply StyleRoutes::findApp(const ServiceRequest& request, StyleData::App* app) const
{
    if (!mayWrite(request))
        return Envelope::refused(RightsCheck::noRightMessage());
    ParamReader in(request.params);
    const qint64 id = in.integer(QStringLiteral("id"), kIdLabel, 1, LLONG_MAX);
    if (!in.ok())
        return Envelope::refused(in.message());
    ServiceDatabase& db = m_context.db();
    *app = StyleData::app(db, request.session.companyId, id);
    if (!db.lastError().isEmpty())
        return Envelope::internalError();
    if (app->id == 0)
        return Envelope::refused(kMissingApp);
    return ServiceReply();
}

ServiceReply StyleRoutes::modifyApp(const ServiceRequest& request)
{
    StyleData::App stored;
    const ServiceReply refusal = findApp(request, &stored);
    if (!refusal.body.isEmpty())
        return refusal;
    ServiceDatabase& db = m_context.db();
    const QString& companyId = request.session.companyId;
    ParamReader in(request.params);
    StyleData::App app;
    StyleData::Change change = StyleData::Change::Failed;
    if (stored.type == StyleData::kCustomApp) {
        app = readCustomApp(in);
        app.id = stored.id;
        if (!in.ok())
            return Envelope::refused(in.message());
        change = StyleData::updateCustomApp(db, companyId, app);
    } else {
        // What a system app does is the site's; the company only names it and draws its icon.
        if (request.params.contains(QStringLiteral("content")))
            in.fail(QStringLiteral("系统应用只能修改图标和名称"));
        app.title = readName(in);
        // Empty: the app's built-in icon.
        app.url = in.optionalText(QStringLiteral("photo"), QString(), 2000);
        if (!app.url.isEmpty() && !PictureAddress::isValid(app.url))
            in.fail(QStringLiteral("应用图标的地址无效"));
        app.id = stored.id;
        if (!in.ok())
            return Envelope::refused(in.message());
        change = StyleData::updateSystemApp(db, companyId, app);
    }
    return answer(change, appJson(StyleData::app(db, companyId, stored.id)), QStringLiteral("修改成功"));
}

ServiceReply StyleRoutes::deleteApp(const ServiceRequest& request)
{
    StyleData::App stored;
    const ServiceReply refusal = findApp(request, &stored);
    if (!refusal.body.isEmpty())
        return refusal;
    if (stored.type != StyleData::kCustomApp)
        return Envelope::refused(QStringLiteral("系统应用不能删除"));
    return answer(StyleData::removeCustomApp(m_context.db(), request.session.companyId, stored.id),
                  QJsonObject{{QStringLiteral("id"), stored.id}}, QStringLiteral("删除成功"));
}

ServiceReply StyleRoutes::topIcons(const ServiceRequest& request)
{
    ParamReader in(request.params);
    // The router has matched both to the session when they are given; here they must be.
    in.text(QStringLiteral("companyid"), QStringLiteral("公司编号"), 32);
    in.text(QStringLiteral("cityid"), QStringLiteral("城市编号"), 32);
    if (!in.ok())
        return Envelope::refused(in.message());
    ServiceDatabase& db = m_context.db();
    const QString stored = StyleData::topIcons(db, request.session.companyId);
    if (!db.lastError().isEmpty())
        return Envelope::internalError();
    return Envelope::success(JsonText::parse(stored).array());
}

ServiceReply StyleRoutes::saveTopIcons(const ServiceRequest& request)
{
    if (!mayWrite(request))
        return Envelope::refused(RightsCheck::noRightMessage());
    ParamReader in(request.params);
    in.text(QStringLiteral("companyid"), QStringLiteral("公司编号"), 32);
    in.text(QStringLiteral("cityid"), QStringLiteral("城市编号"), 32);
    const QString content = in.text(QStringLiteral("content"), QStringLiteral("首页图标"), 10000);
    const QJsonArray icons = in.ok() ? checkTopIcons(in, content) : QJsonArray();
    if (!in.ok())
        return Envelope::refused(in.message());
    if (!StyleData::saveTopIcons(m_context.db(), request.session.companyId, content))
        return Envelope::internalError();
    return Envelope::success(icons, QStringLiteral("保存成功"));
}

QJsonArray StyleRoutes::checkTopIcons(ParamReader& in, const QString& content)
{
    const QJsonDocument document = JsonText::parse(content);
    const QJsonArray icons = document.array();
    if (!document.isArray()) {
        in.fail(kBadTopIcons);
        return {};
    }
    if (icons.size() != kTopIconCount) {
        in.fail(QStringLiteral("首页图标应为%1个").arg(kTopIconCount));
        return {};
    }
    for (int i = 0; i < icons.size(); ++i) {
        const QJsonObject icon = icons.at(i).toObject();
        const QJsonValue url = icon.value(QStringLiteral("url"));
        const QJsonValue houseType = icon.value(QStringLiteral("housetype"));
        if (!icons.at(i).isObject() || !url.isString() || !houseType.isString()
            || !icon.value(QStringLiteral("districts")).isString()) {
            in.fail(kBadTopIcons);
            return {};
        }
        checkAddress(in, url.toString(), i + 1, QStringLiteral("个图标"));
        if (houseType.toString().trimmed().isEmpty())
            in.fail(QStringLiteral("第%1个图标缺少房屋类型").arg(i + 1));
    }
    return icons;
}

QJsonObject StyleRoutes::appJson(const StyleData::App& app)
{
    return QJsonObject{
        {QStringLiteral("id"), app.id},
        {QStringLiteral("type"), app.type},
        {QStringLiteral("title"), app.title},
        {QStringLiteral("url"), app.url},
        {QStringLiteral("sort"), app.sort},
        {QStringLiteral("content"), app.content},
    };
}
