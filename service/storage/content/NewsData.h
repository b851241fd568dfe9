#ifndef NEWSDATA_H
#define NEWSDATA_H

#include <QList>
#include <QString>
#include <QVariantList>

class ServiceDatabase;

// The articles of a company's site in two twin collections, the property news ("zixun") and the
// encyclopedia ("baike"): each with its articles, its categories and the pictures over its pages.
// Every query names the company and the kind, so one company never reaches another's rows.
class NewsData
{
public:
    enum class Kind { News, BaiKe };

    struct Article
    {
        qint64 id = 0;
        qint64 categoryId = 0; // 0: none
        QString category;      // the category's name, read only
        QString title;
        QString comeFrom;
        QString img;
        QString content;
        qint64 hits = 0;
        QString createTime; // "yyyy-MM-dd HH:mm"
    };

    struct Category
    {
        qint64 id = 0;
        QString name;
        qint64 sort = 0;
        qint64 articles = 0; // how many articles it holds, read only
    };

    struct Picture
    {
        qint64 id = 0;
        QString img;
        QString link;
        qint64 sort = 0;
    };

    enum class Change { Done, NotFound, Failed };

    // "zixun" or "baike", as the kind is stored and as the site's page names start.
    static QString kindName(Kind kind);

    static bool createSchema(ServiceDatabase& db);

    // pageSize articles of page pageIndex, newest first, narrowed by `conditions` (" AND ..." on
    // the article's columns, prefixed "a.", with `values` bound to its marks). A failure is kept in
    // db.lastError().
    static QList<Article> articles(ServiceDatabase& db, const QString& companyId, Kind kind,
                                   const QString& conditions, const QVariantList& values, qint64 pageIndex,
                                   qint64 pageSize);
    // The company's article, or one with id 0.
    static Article article(ServiceDatabase& db, const QString& companyId, Kind kind, qint64 id);
    // Stores a new article (its id, hits and time ignored); the new id, or 0 on failure.
    static qint64 addArticle(ServiceDatabase& db, const QString& companyId, const QString& cityId, Kind kind,
                             const Article& article);
    // Rewrites the texts, picture and category of article.id; hits and time stay.
    static Change updateArticle(ServiceDatabase& db, const QString& companyId, Kind kind, const Article& article);
    static Change removeArticle(ServiceDatabase& db, const QString& companyId, Kind kind, qint64 id);

    // By sort value, then in the order they were made.
    static QList<Category> categories(ServiceDatabase& db, const QString& companyId, Kind kind);
    static bool hasCategory(ServiceDatabase& db, const QString& companyId, Kind kind, qint64 id);
    static qint64 addCategory(ServiceDatabase& db, const QString& companyId, Kind kind, const Category& category);
    static Change updateCategory(ServiceDatabase& db, const QString& companyId, Kind kind, const Category& category);
    // Its articles stay, without a category.
    static Change removeCategory(ServiceDatabase& db, const QString& companyId, Kind kind, qint64 id);

    // By sort value, then in the order they were added.
    static QList<Picture> pictures(ServiceDatabase& db, const QString& companyId, Kind kind);
    static qint64 addPicture(ServiceDatabase& db, const QString& companyId, Kind kind, const Picture& picture);
    static Change removePicture(ServiceDatabase& db, const QString& companyId, Kind kind, qint64 id);

private:
    NewsData() = delete;
};

#endif // NEWSDATA_H
