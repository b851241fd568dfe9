#ifndef ORGANISATIONLIST_MODEL_H
#define ORGANISATIONLIST_MODEL_H

#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>

// Reads one reply of the organisation calls: the organisation's "title", the departments of its
// "dept" array and the staff of its "user" array, in reply order.
class OrganisationList_Model : public QObject
{
    Q_OBJECT
public:
    // The "nodeType" of a chosen entry.
    enum NodeType { Department = 1, Person = 2 };

    struct ListData
    {
        int nodeType = Department;
        QVariant id;        // as the service sends it
        QString name;
        QString phone;      // people
        QVariant storeId;   // people: their department
        QString storeName;
        QString path;       // the departments above, " / " between them
        int subCount = 0;   // departments: how many sub-departments

        bool isPerson() const { return nodeType == Person; }
        bool hasSubDepartments() const { return nodeType == Department && subCount > 0; }
        // "d:<id>" or "p:<id>": one key per department or person, whatever type the id has.
        QString key() const;
    };

    explicit OrganisationList_Model(const QJsonValue& value, QObject* parent = nullptr);

    static ListData departmentFromJson(const QJsonObject& object);
    static ListData personFromJson(const QJsonObject& object);
    // A number as an integer, anything else as its text.
    static QVariant idOf(const QJsonValue& value);

    QString title;
    QList<ListData> departments;
    QList<ListData> people;
};

#endif // ORGANISATIONLIST_MODEL_H
