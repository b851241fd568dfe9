#ifndef SUBMISSIONROUTES_H
#define SUBMISSIONROUTES_H

#include "http/ServiceReply.h"

#include <QJsonObject>
#include <QVariantMap>

#include <functional>

class ServiceContext;
class ServiceRequest;
class ServiceRouter;

// What visitors left on the company's site, a page at a time: houses owners want to sell or let
// ("mtore/mzposts") and the demands of people who want to buy or rent ("mtore/gzposts").
class SubmissionRoutes
{
public:
    explicit SubmissionRoutes(ServiceContext& context);
    void registerRoutes(ServiceRouter& router);

private:
    using RowJson = std::function<QJsonObject(const QVariantMap& row, qint64 kind)>;

    // "type" (0 or 1), "pagesize" and "pageindex" (counted from 1): a page of the table's entries
    // of that kind, newest first -> {"total", "data"}.
    ServiceReply posts(const ServiceRequest& request, const QString& table, const RowJson& toJson);
    QJsonObject ownerJson(const QVariantMap& row, qint64 kind) const;
    static QJsonObject demandJson(const QVariantMap& row, qint64 kind);

    ServiceContext& m_context;
};

#endif // SUBMISSIONROUTES_H
