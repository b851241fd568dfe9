#ifndef FINANCIALPRODUCTLIST_MODEL_H
#define FINANCIALPRODUCTLIST_MODEL_H

#include "net/http/JsonRows.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QVariantMap>

// Reads one reply of "apptwo/fimsposts": the loan products of a page.
class FinancialProductList_Model : public QObject
{
    Q_OBJECT
public:
    struct ListData
    {
        int id = 0;
        QString photo;
        QString title;
        QString des;
        QString monthLixi;   // monthly interest rate, percent
        QString daikuandate; // loan term, months
        QString maxedu;      // maximum amount, ten-thousands of yuan
        QString dyleixing;   // loan type
        QString yongjin;     // commission rate
        bool wstore = false; // put up on the site
    };

    // Reads at most limit rows of the reply (JsonRows::All: every one).
    explicit FinancialProductList_Model(const QJsonValue& value, int limit = JsonRows::All, QObject* parent = nullptr);

    static ListData fromJson(const QJsonObject& object);
    // The product under the service's keys, as the financial component receives it.
    static QVariantMap toMap(const ListData& data);

    QList<ListData> list; // in reply order
    int total = 0;
};

Q_DECLARE_METATYPE(FinancialProductList_Model::ListData)

#endif // FINANCIALPRODUCTLIST_MODEL_H
