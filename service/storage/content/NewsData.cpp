#include "storage/content/NewsData.h"

#include "storage/core/ServiceDatabase.h"

#include <QDateTime>
#include <QVariantMap>

namespace {

const char* const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS news_categories(id INTEGER PRIMARY KEY,"
    " company_id TEXT NOT NULL REFERENCES companies(id), kind TEXT NOT NULL, name TEXT NOT NULL,"
    " sort INTEGER NOT NULL DEFAULT 0)",
    "CREATE TABLE IF NOT EXISTS news_articles(id INTEGER PRIMARY KEY,"
    " company_id TEXT NOT NULL REFERENCES companies(id), city_id TEXT NOT NULL, kind TEXT NOT NULL,"
    " category_id INTEGER REFERENCES news_categories(id) ON DELETE SET NULL, title TEXT NOT NULL,"
    " come_from TEXT NOT NULL DEFAULT '', img TEXT NOT NULL DEFAULT '', content TEXT NOT NULL DEFAULT '',"
    " hits INTEGER NOT NULL DEFAULT 0, create_time TEXT NOT NULL)",
    "CREATE INDEX IF NOT EXISTS news_articles_company ON news_articles(company_id, kind, id)",
    "CREATE TABLE IF NOT EXISTS news_pictures(id INTEGER PRIMARY KEY,"
    " company_id TEXT NOT NULL REFERENCES companies(id), kind TEXT NOT NULL, img TEXT NOT NULL,"
    " link TEXT NOT NULL DEFAULT '', sort INTEGER NOT NULL DEFAULT 0)",
};

const char* const kArticleColumns =
    "a.id, a.category_id, COALESCE(c.name, '') AS cate_alias, a.title, a.come_from, a.img, a.content, a.hits,"
    " a.create_time";
const char* const kArticleFrom =
    "news_articles a LEFT JOIN news_categories c ON c.id = a.category_id WHERE a.company_id = ? AND a.kind = ?";

NewsData::Article articleOf(const QVariantMap& row)
{
    NewsData::Article article;
    article.id = row.value(QStringLiteral("id")).toLongLong();
    article.categoryId = row.value(QStringLiteral("category_id")).toLongLong();
    article.category = row.value(QStringLiteral("cate_alias")).toString();
    article.title = row.value(QStringLiteral("title")).toString();
    article.comeFrom = row.value(QStringLiteral("come_from")).toString();
    article.img = row.value(QStringLiteral("img")).toString();
    article.content = row.value(QStringLiteral("content")).toString();
    article.hits = row.value(QStringLiteral("hits")).toLongLong();
    article.createTime = row.value(QStringLiteral("create_time")).toString();
    return article;
}

// A category of 0 is stored as none.
QVariant categoryValue(qint64 id)
{
    return id > 0 ? QVariant(id) : QVariant();
}

NewsData::Change changed(ServiceDatabase& db, bool executed)
{
    if (!executed)
        return NewsData::Change::Failed;
    return db.changes() > 0 ? NewsData::Change::Done : NewsData::Change::NotFound;
}

qint64 inserted(ServiceDatabase& db, bool executed)
{
    return executed ? db.lastInsertId() : 0;
}

} // namespace

QString NewsData::kindName(Kind kind)
{
    return kind == Kind::News ? QStringLiteral("zixun") : QStringLiteral("baike");
}

bool NewsData::createSchema(ServiceDatabase& db)
{
    return db.executeAll(kSchema);
}

QList<NewsData::Article> NewsData::articles(ServiceDatabase& db, const QString& companyId, Kind kind,
                                            const QString& conditions, const QVariantList& values, qint64 pageIndex,
                                            qint64 pageSize)
{
    qint64 total = 0;
    const QList<QVariantMap> rows =
        db.selectPage(QString::fromUtf8(kArticleColumns), QString::fromUtf8(kArticleFrom) % conditions,
                      QVariantList{companyId, kindName(kind)} + values, QStringLiteral("a.id DESC"), pageIndex,
                      pageSize, &total);
    QList<Article> list;
    for (const QVariantMap& row : rows)
        list.append(articleOf(row));
    return list;
}

NewsData::Article NewsData::article(ServiceDatabase& db, const QString& companyId, Kind kind, qint64 id)
{
    return articleOf(db.selectOne(QStringLiteral("SELECT ") % QString::fromUtf8(kArticleColumns)
                                      % QStringLiteral(" FROM ") % QString::fromUtf8(kArticleFrom)
                                      % QStringLiteral(" AND a.id = ?"),
                                  {companyId, kindName(kind), id}));
}

qint64 NewsData::addArticle(ServiceDatabase& db, const QString& companyId, const QString& cityId, Kind kind,
                            const Article& article)
{
    const QString now = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    return inserted(db, db.execute(QStringLiteral("INSERT INTO news_articles(company_id, city_id, kind, category_id,"
                                                  " title, come_from, img, content, hits, create_time)"
                                                  " VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                                   {companyId, cityId, kindName(kind), categoryValue(article.categoryId), article.title,
                                    article.comeFrom, article.img, article.content, article.hits,
                                    article.createTime.isEmpty() ? now : article.createTime}));
}

NewsData::Change NewsData::updateArticle(ServiceDatabase& db, const QString& companyId, Kind kind,
                                         const Article& article)
{
    return changed(db, db.execute(QStringLiteral("UPDATE news_articles SET category_id = ?, title = ?, come_from = ?,"
                                                 " img = ?, content = ? WHERE id = ? AND company_id = ? AND kind = ?"),
                                  {categoryValue(article.categoryId), article.title, article.comeFrom, article.img,
                                   article.content, article.id, companyId, kindName(kind)}));
}

NewsData::Change NewsData::removeArticle(ServiceDatabase& db, const QString& companyId, Kind kind, qint64 id)
{
    return changed(db, db.execute(QStringLiteral("DELETE FROM news_articles WHERE id = ? AND company_id = ? AND kind = ?"),
                                  {id, companyId, kindName(kind)}));
}

QList<NewsData::Category> NewsData::categories(ServiceDatabase& db, const QString& companyId, Kind kind)
{
    const QList<QVariantMap> rows = db.select(
        QStringLiteral("SELECT c.id, c.name, c.sort, (SELECT COUNT(*) FROM news_articles a WHERE a.category_id = c.id)"
                       " AS articles FROM news_categories c WHERE c.company_id = ? AND c.kind = ? ORDER BY c.sort, c.id"),
        {companyId, kindName(kind)});
    QList<Category> list;
    for (const QVariantMap& row : rows) {
        Category category;
        category.id = row.value(QStringLiteral("id")).toLongLong();
        category.name = row.value(QStringLiteral("name")).toString();
        category.sort = row.value(QStringLiteral("sort")).toLongLong();
        category.articles = row.value(QStringLiteral("articles")).toLongLong();
        list.append(category);
    }
    return list;
}

bool NewsData::hasCategory(ServiceDatabase& db, const QString& companyId, Kind kind, qint64 id)
{
    return !db.selectOne(QStringLiteral("SELECT id FROM news_categories WHERE id = ? AND company_id = ? AND kind = ?"),
                         {id, companyId, kindName(kind)})
                .isEmpty();
}

qint64 NewsData::addCategory(ServiceDatabase& db, const QString& companyId, Kind kind, const Category& category)
{
    return inserted(db, db.execute(QStringLiteral("INSERT INTO news_categories(company_id, kind, name, sort)"
                                                  " VALUES(?, ?, ?, ?)"),
                                   {companyId, kindName(kind), category.name, category.sort}));
}

NewsData::Change NewsData::updateCategory(ServiceDatabase& db, const QString& companyId, Kind kind,
                                          const Category& category)
{
    return changed(db, db.execute(QStringLiteral("UPDATE news_categories SET name = ?, sort = ?"
                                                 " WHERE id = ? AND company_id = ? AND kind = ?"),
                                  {category.name, category.sort, category.id, companyId, kindName(kind)}));
}

NewsData::Change NewsData::removeCategory(ServiceDatabase& db, const QString& companyId, Kind kind, qint64 id)
{
    return changed(db, db.execute(QStringLiteral("DELETE FROM news_categories WHERE id = ? AND company_id = ? AND kind = ?"),
                                  {id, companyId, kindName(kind)}));
}

QList<NewsData::Picture> NewsData::pictures(ServiceDatabase& db, const QString& companyId, Kind kind)
{
    const QList<QVariantMap> rows = db.select(QStringLiteral("SELECT id, img, link, sort FROM news_pictures"
                                                             " WHERE company_id = ? AND kind = ? ORDER BY sort, id"),
                                              {companyId, kindName(kind)});
    QList<Picture> list;
    for (const QVariantMap& row : rows) {
        Picture picture;
        picture.id = row.value(QStringLiteral("id")).toLongLong();
        picture.img = row.value(QStringLiteral("img")).toString();
        picture.link = row.value(QStringLiteral("link")).toString();
        picture.sort = row.value(QStringLiteral("sort")).toLongLong();
        list.append(picture);
    }
    return list;
}

qint64 NewsData::addPicture(ServiceDatabase& db, const QString& companyId, Kind kind, const Picture& picture)
{
    return inserted(db, db.execute(QStringLiteral("INSERT INTO news_pictures(company_id, kind, img, link, sort)"
                                                  " VALUES(?, ?, ?, ?, ?)"),
                                   {companyId, kindName(kind), picture.img, picture.link, picture.sort}));
}

NewsData::Change NewsData::removePicture(ServiceDatabase& db, const QString& companyId, Kind kind, qint64 id)
{
    return changed(db, db.execute(QStringLiteral("DELETE FROM news_pictures WHERE id = ? AND company_id = ? AND kind = ?"),
                                  {id, companyId, kindName(kind)}));
}
