#ifndef CHOSENORGANISATION_H
#define CHOSENORGANISATION_H

#include "settings/choosers/OrganisationList_Model.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

// What the user has chosen in a person and department chooser, in the order chosen: one map per
// department or person with "nodeType", "dept_id", "dept_name", "name", "phone", "yonghuid",
// "storeid", "storename", "with_down" and "hideData". A department chosen "with_down" covers its
// sub-departments; they join the reported choice as hidden entries ("hideData"), so whoever checks
// a department against the choice finds them without the list showing them.
class ChosenOrganisation
{
public:
    using Node = OrganisationList_Model::ListData;

    // The listed entries of an earlier choice; its hidden ones are worked out again when the choice
    // is reported. Keys other than the ten travel unchanged.
    void setChosen(const QList<QVariantMap>& list);
    void clear() { m_entries.clear(); }

    const QList<QVariantMap>& entries() const { return m_entries; }
    bool isEmpty() const { return m_entries.isEmpty(); }
    int size() const { return m_entries.size(); }

    bool contains(const Node& node) const { return indexOf(node.key()) >= 0; }
    bool withDown(const Node& node) const;
    // Adds the node, or changes whether a department covers its sub-departments.
    void choose(const Node& node, bool withDown);
    void remove(const QString& key);

    // Departments chosen with their sub-departments.
    QStringList withDownIds() const;
    // The choice as reported: the entries, then every sub-department that is not chosen itself,
    // once and hidden.
    QList<QVariantMap> result(const QList<Node>& subDepartments) const;
    // The chosen names, a department with its sub-departments marked "(含以下)", joined with ";".
    QString description() const;

    static QVariantMap toMap(const Node& node, bool withDown, bool hidden);
    static bool isPerson(const QVariantMap& entry);
    static QString keyOf(const QVariantMap& entry);
    static QString nameOf(const QVariantMap& entry);
    // The name as a chip shows it.
    static QString chipText(const QVariantMap& entry);

private:
    int indexOf(const QString& key) const;

    QList<QVariantMap> m_entries;
};

#endif // CHOSENORGANISATION_H
