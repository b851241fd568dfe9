#ifndef MICROWEBSITE_SCROLLADS_MODEL_H
#define MICROWEBSITE_SCROLLADS_MODEL_H

#include "net/http/JsonRows.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>

// Reads the reply of "mtore/lunboposts": the carousel adverts in display order.
class MicroWebSite_ScrollAds_Model : public QObject
{
    Q_OBJECT
public:
    enum LinkType { NoLink = 0, NewHouse = 1, SaleHouse = 2, RentHouse = 3, Job = 4, CompanyProfile = 5 };

    struct AdData
    {
        int id = 0;
        QString title;
        QString photo;
        int type = NoLink;
        int itemid = 0; // 0: the list page itself
    };

    // Reads at most limit rows of the reply (JsonRows::All: every one).
    explicit MicroWebSite_ScrollAds_Model(const QJsonValue& value, int limit = JsonRows::All, QObject* parent = nullptr);

    static AdData fromJson(const QJsonObject& object);
    // "无链接", "链接：新房-<title>", …, "链接：公司介绍".
    static QString rowText(const AdData& ad);
    // The link choices in type order.
    static QStringList typeChoices();
    // The list-page label of types 1 to 4 ("<新房列表页>" …); empty for the others.
    static QString listPageLabel(int type);

    QList<AdData> list() const { return m_list; }

private:
    QList<AdData> m_list;
};

Q_DECLARE_METATYPE(MicroWebSite_ScrollAds_Model::AdData)

#endif // MICROWEBSITE_SCROLLADS_MODEL_H
