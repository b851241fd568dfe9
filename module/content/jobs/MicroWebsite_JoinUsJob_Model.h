#ifndef MICROWEBSITE_JOINUSJOB_MODEL_H
#define MICROWEBSITE_JOINUSJOB_MODEL_H

#include "net/http/JsonRows.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>
#include <QStringList>

// Reads the reply of "mtore/joinusposts": the agency's job postings.
class MicroWebsite_JoinUsJob_Model : public QObject
{
    Q_OBJECT
public:
    struct DataModel
    {
        int id = 0; // 0: a posting not saved yet
        QString title;
        QString xinzi;   // salary
        QString xueli;   // education
        QString jingyan; // experience
        QString address;
        QString content;
        QString tel;
        QStringList tags;
    };

    // Reads at most limit rows of the reply (JsonRows::All: every one).
    explicit MicroWebsite_JoinUsJob_Model(const QJsonValue& value, int limit = JsonRows::All, QObject* parent = nullptr);

    static DataModel fromJson(const QJsonObject& object);
    QList<DataModel> getDataList() const { return m_list; }

private:
    QList<DataModel> m_list;
};

Q_DECLARE_METATYPE(MicroWebsite_JoinUsJob_Model::DataModel)

#endif // MICROWEBSITE_JOINUSJOB_MODEL_H
