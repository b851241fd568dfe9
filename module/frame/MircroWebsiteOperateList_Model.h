#ifndef MIRCROWEBSITEOPERATELIST_MODEL_H
#define MIRCROWEBSITEOPERATELIST_MODEL_H

#include "net/http/JsonRows.h"

#include <QJsonValue>
#include <QList>
#include <QObject>
#include "settings/style/MircroWebsiteStyleSet_Model.h"

#include <QString>

// Reads the company's function tiles from the reply of "mtore/appposts".
class MircroWebsiteOperateList_Model : public QObject
{
    Q_OBJECT
public:
    struct ListData
    {
        bool show = true;
        int itemid = 0;
        int type = 0;     // 1: a custom app
        QString title;
        QString icon;     // a resource path, or the address of a custom app's picture
        int sort = 0;
        QString content;  // for example the site's address
    };

    explicit MircroWebsiteOperateList_Model(QObject* parent = nullptr);

    // Accepts the tile array itself or an object holding it under "data" or "list".
    // At most limit tiles (JsonRows::All: every one).
    void parse(const QJsonValue& value, int limit = JsonRows::All);
    QList<ListData> list() const { return m_list; }

    static QString iconFor(int itemid, int type);
    static ListData builtIn(int itemid);
    // The tile as the app editors know it: the one place where a main-page tile becomes an app.
    static MircroWebsiteStyleSet_Model::APP toApp(const ListData& tile);

private:
    QList<ListData> m_list;
};

#endif // MIRCROWEBSITEOPERATELIST_MODEL_H
