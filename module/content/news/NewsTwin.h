#ifndef NEWSTWIN_H
#define NEWSTWIN_H

#include "net/http/FormBody.h"

#include <QSize>
#include <QString>
#include <QVariantMap>

// What sets the news list and the encyclopedia list apart: their endpoints on the site host, the
// site host's web pages that add and edit their articles, categories and pictures, and their texts.
// The request bodies and page addresses are built here, apart from any widget.
class NewsTwin
{
public:
    enum class Kind { News, BaiKe };
    enum class Page { Add, Edit, Category, Picture };

    struct WebPage
    {
        QString file;  // on the site host, e.g. "zixun_add.html"
        QString title; // the browser dialog's title
        QSize size;    // the browser dialog's size
    };

    static const NewsTwin& of(Kind kind);

    Kind kind() const { return m_kind; }
    QString listUrl() const;
    QString deleteUrl() const;
    WebPage webPage(Page page) const;
    // The delete question for a row's title.
    QString deleteQuestion(const QString& title) const;
    // The three buttons that open the add, category and picture pages.
    QString addText() const { return m_addText; }
    QString categoryText() const { return m_categoryText; }
    QString pictureText() const { return m_pictureTitle; }

    // The page's address with its query: the user's company ("companyid", "company") and city
    // ("cityid"), rowId for the edit page. Every value is percent-encoded.
    QString pageUrl(Page page, const QVariantMap& user, const QString& rowId = QString()) const;
    // A list page: the user's company and city, the page, 10 rows, the search key.
    static FormBody listBody(const QVariantMap& user, int page, int pageSize, const QString& key);
    static FormBody deleteBody(const QVariantMap& user, int id);

private:
    using Endpoint = const QString& (*)();

    NewsTwin(Kind kind, Endpoint list, Endpoint remove, const QString& prefix, const QString& noun,
             const QString& pictureTitle, const QString& categoryText);

    Kind m_kind;
    Endpoint m_list;
    Endpoint m_remove;
    QString m_prefix; // "zixun" or "baike", the web pages' names start with it
    QString m_noun;   // "资讯" or "百科"
    QString m_pictureTitle;
    QString m_addText;
    QString m_categoryText;
};

#endif // NEWSTWIN_H
