#ifndef SITEPAGE_H
#define SITEPAGE_H

#include "http/ServiceReply.h"
#include "sessions/SessionInfo.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

class ServiceContext;
class ServiceRequest;

// What the site host's web pages share. They are public paths that read the login themselves,
// so a page can say why it does not open instead of answering with the API's envelope. The
// pages' texts are compiled in; a text is a template whose "{{name}}" places take values.
class SitePage
{
public:
    // The login the page was opened with: the session headers, else the cookie the desktop's
    // browser carries, else the query's "sessionID" and "_sn" (the deal centre's address has them).
    static SessionInfo sessionOf(ServiceContext& context, const ServiceRequest& request);
    // An empty reply when the session is valid, the query's "companyid" is its company and each
    // of cityKeys that the query holds is its city; else the page that says why.
    static ServiceReply admit(const ServiceRequest& request, const SessionInfo& session, const QStringList& cityKeys);

    // The compiled-in text at resource with each "{{name}}" replaced by values[name] (taken as HTML).
    static QString render(const QString& resource, const QMap<QString, QString>& values);
    // An HTML page with this status that says why a page cannot open.
    static ServiceReply refusal(int status, const QString& heading, const QString& text);
    // A finished page.
    static ServiceReply page(const QString& html);
    // A page in the frame of the site's list and guide pages (service/pages/site/): the heading
    // and the line under it (plain text), the body (HTML) and the scripts it loads from "site/".
    static ServiceReply framed(const QString& heading, const QString& subtitle, const QString& body,
                               const QStringList& scripts = {});
    // A list table: the headings, then a row of cells (HTML, escaped by the caller) each, with
    // the row's attributes (HTML, e.g. `class="visit"`) where given; `empty` stands alone when
    // there are no rows.
    static QString table(const QStringList& headings, const QList<QStringList>& rows, const QString& empty,
                         const QStringList& rowAttributes = {});

private:
    SitePage() = delete;
};

#endif // SITEPAGE_H
