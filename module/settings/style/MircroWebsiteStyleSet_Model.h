#ifndef MIRCROWEBSITESTYLESET_MODEL_H
#define MIRCROWEBSITESTYLESET_MODEL_H

#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>

// Reads the reply of "mtore/getmstorestyleconfig": the home-page apps, the theme colour and the
// bottom bar's style.
class MircroWebsiteStyleSet_Model : public QObject
{
    Q_OBJECT
public:
    struct APP
    {
        int id = 0; // -1: the add tile
        int type = 0; // 0 a system app, 1 a custom app
        QString title;
        QString url;
        int sort = 0;
        QString content;
    };

    static constexpr int MaxApps = 10;

    explicit MircroWebsiteStyleSet_Model(const QJsonValue& value, QObject* parent = nullptr);

    static APP fromJson(const QJsonObject& object);
    // The tile that adds a custom app.
    static APP addTile();
    // The apps in display order (by "sort", reply order among equals), with the add tile after
    // them while there are fewer than MaxApps custom apps.
    static QList<APP> tilesFor(const QList<APP>& apps);

    QList<APP> apps;
    int zhuti = 0;
    int dibu = 0;
};

Q_DECLARE_METATYPE(MircroWebsiteStyleSet_Model::APP)

#endif // MIRCROWEBSITESTYLESET_MODEL_H
