#ifndef MOBILEPAGE_H
#define MOBILEPAGE_H

#include "http/ServiceReply.h"

#include <QList>
#include <QPair>
#include <QString>

// What every page of a company's public mobile site shares: the company, the look its staff
// chose, how a page names the others, and the frame around its content. Pages are plain HTML in
// one style sheet; every text from the data goes through text() or an escaping helper here.
class MobilePage
{
public:
    // The look, from the site's settings.
    struct Look
    {
        int zhuti = 1;    // theme colour 1..6
        int dibu = 1;     // bottom bar style 1..5
        int bsearch = 1;  // search box style 1..2
        int menutype = 1; // app grid: 1 "1行4个", 2 "1行5个", 3 "2行8个", 4 "2行10个"
    };

    // sitePath: the page's path below the company's site, "" for the home page, "house/5".
    MobilePage(const QString& companyId, const QString& companyName, const Look& look, const QString& sitePath);

    const QString& companyId() const { return m_companyId; }
    const QString& companyName() const { return m_companyName; }
    const Look& look() const { return m_look; }

    // The address of another page of the site ("houses/sale", "" for the home page) relative to
    // this one, escaped for an attribute.
    QString href(const QString& sitePath) const;
    // Plain text escaped for HTML.
    static QString text(const QString& plain);
    // Plain text of several lines as paragraphs, escaped.
    static QString paragraphs(const QString& plain);
    // The picture when the address is one the site may show, else an empty frame of the class.
    static QString picture(const QString& address, const QString& cssClass, const QString& alt = QString());
    // A link (href() of sitePath) around inner HTML.
    QString link(const QString& sitePath, const QString& innerHtml, const QString& cssClass = QString()) const;
    // "上一页" / "下一页" between pages of a list at sitePath, keeping the query pieces given. A
    // total that is not known may be given as one more than the rows seen when the page was full.
    QString pager(const QString& sitePath, qint64 pageIndex, qint64 pageSize, qint64 total,
                  const QList<QPair<QString, QString>>& query = {}) const;
    // A heading with an optional "更多" link, then the body.
    QString section(const QString& heading, const QString& body, const QString& morePath = QString()) const;

    // The page: the title bar (with a way back, but on the home page), the body, the bottom bar.
    ServiceReply reply(const QString& title, const QString& bodyHtml) const;
    // A page of the site that says the record is not (or no longer) shown, with status 404.
    ServiceReply missing(const QString& what) const;
    // A page of the site that says why the address cannot be answered, with this status.
    ServiceReply refused(int status, const QString& reason) const;

    // The theme colour as CSS ("rgb(0, 171, 133)").
    static QString themeColour(int zhuti);

private:
    QString bottomBar() const;

    QString m_companyId;
    QString m_companyName;
    Look m_look;
    QString m_sitePath;
    // "../" once for each folder the page is below the company's site.
    QString m_toRoot;
};

#endif // MOBILEPAGE_H
