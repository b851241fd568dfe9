#include "content/news/NewsTwin.h"

#include "net/http/Endpoints.h"
#include "net/http/ServiceAddresses.h"

namespace {

QString field(const QVariantMap& user, const char* key)
{
    return user.value(QString::fromLatin1(key)).toString();
}

} // namespace

NewsTwin::NewsTwin(Kind kind, Endpoint list, Endpoint remove, const QString& prefix, const QString& noun,
                   const QString& pictureTitle, const QString& categoryText)
    : m_kind(kind)
    , m_list(list)
    , m_remove(remove)
    , m_prefix(prefix)
    , m_noun(noun)
    , m_pictureTitle(pictureTitle)
    , m_addText(QStringLiteral("添加") + noun)
    , m_categoryText(categoryText)
{
}

const NewsTwin& NewsTwin::of(Kind kind)
{
    static const NewsTwin news(Kind::News, &Api::softzixun, &Api::zixunListRemove, QStringLiteral("zixun"),
                               QStringLiteral("资讯"), QStringLiteral("轮播图片"), QStringLiteral("资讯类目"));
    static const NewsTwin baike(Kind::BaiKe, &Api::softbaikelist, &Api::baikeListRemove, QStringLiteral("baike"),
                                QStringLiteral("百科"), QStringLiteral("顶部图片"), QStringLiteral("百科类目"));
    return kind == Kind::News ? news : baike;
}

QString NewsTwin::listUrl() const
{
    return m_list();
}

QString NewsTwin::deleteUrl() const
{
    return m_remove();
}

NewsTwin::WebPage NewsTwin::webPage(Page page) const
{
    switch (page) {
    case Page::Add:
        return {m_prefix + QStringLiteral("_add.html"), QStringLiteral("添加") + m_noun, QSize(980, 950)};
    case Page::Edit:
        return {m_prefix + QStringLiteral("_edit.html"), QStringLiteral("编辑") + m_noun, QSize(980, 950)};
    case Page::Category:
        return {m_prefix + QStringLiteral("_menu_list.html"), QStringLiteral("添加%1类目").arg(m_noun), QSize(980, 900)};
    case Page::Picture:
        break;
    }
    return {m_prefix + QStringLiteral("_img.html"), m_pictureTitle, QSize(1200, 900)};
}

QString NewsTwin::deleteQuestion(const QString& title) const
{
    return QStringLiteral("您确定是否删除该%1【%2】").arg(m_noun, title);
}

QString NewsTwin::pageUrl(Page page, const QVariantMap& user, const QString& rowId) const
{
    const QString companyId = field(user, "companyid");
    FormBody query;
    switch (page) {
    case Page::Add:
        query.add(QStringLiteral("companyid"), companyId)
            .add(QStringLiteral("company"), field(user, "company"))
            .add(QStringLiteral("city"), field(user, "cityid"));
        break;
    case Page::Edit:
        query.add(QStringLiteral("companyid"), companyId)
            .add(QStringLiteral("id"), rowId)
            .add(QStringLiteral("city"), field(user, "cityid"));
        break;
    case Page::Category:
        query.add(QStringLiteral("companyid"), companyId)
            .add(QStringLiteral("company"), field(user, "company"))
            .add(QStringLiteral("cityid"), field(user, "cityid"));
        break;
    case Page::Picture:
        query.add(QStringLiteral("companyid"), companyId).add(QStringLiteral("cityid"), field(user, "cityid"));
        break;
    }
    return query.appendedTo(ServiceAddresses::siteBase() + webPage(page).file);
}

FormBody NewsTwin::listBody(const QVariantMap& user, int page, int pageSize, const QString& key)
{
    FormBody body;
    body.add(QStringLiteral("companyid"), field(user, "companyid"))
        .add(QStringLiteral("cityid"), field(user, "cityid"))
        .add(QStringLiteral("page"), page)
        .add(QStringLiteral("pagesize"), pageSize)
        .add(QStringLiteral("key"), key);
    return body;
}

FormBody NewsTwin::deleteBody(const QVariantMap& user, int id)
{
    FormBody body;
    body.add(QStringLiteral("companyid"), field(user, "companyid")).add(QStringLiteral("id"), id);
    return body;
}
