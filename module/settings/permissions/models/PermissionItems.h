#ifndef PERMISSIONITEMS_H
#define PERMISSIONITEMS_H

#include <QList>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

// The fourteen right items of the permission page, one map per right in the fixed order: "id",
// "selected", "range", "bumens", and whatever else the owner gave with them. Every item is complete
// from the start (not granted, whole company, no departments), so a change made before any data
// arrived, or a right the role's stored rights lack, is one the service can keep.
class PermissionItems
{
public:
    PermissionItems();

    // Takes each element (a map) whose "id" is one of the fourteen as that right's item, the last
    // one winning, with "selected" as a flag and any missing field filled in; every right the
    // values do not name goes back to its unset item, so nothing of an earlier role stays behind.
    void setData(const QVariantList& values);

    bool contains(int id) const;
    // The right's item; an empty map for an id that is not one of the fourteen.
    QVariantMap item(int id) const;
    QList<QVariantMap> items() const { return m_items; }

    // Both do nothing for an id that is not one of the fourteen.
    void setSelected(int id, bool selected);
    void setRange(int id, int range, const QString& bumens);

    // The item's fields as the page reads them: a flag written as text or a number counts, and
    // departments sent as a list rather than as JSON text are taken as that text.
    static bool selectedOf(const QVariantMap& item);
    static int rangeOf(const QVariantMap& item);
    static QString bumensOf(const QVariantMap& item);

private:
    QList<QVariantMap> m_items;
};

#endif // PERMISSIONITEMS_H
