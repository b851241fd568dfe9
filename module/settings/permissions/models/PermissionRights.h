#ifndef PERMISSIONRIGHTS_H
#define PERMISSIONRIGHTS_H

#include <QList>
#include <QString>

// The fourteen rights a job role can hold over the micro-website module, in the fixed order in
// which the permission page reports them, and the order in which it shows them.
class PermissionRights
{
public:
    // Which range chooser a right carries: none, every range, or every range but "仅自己".
    enum class Ranges { None, Full, Short };

    struct Right
    {
        int id = 0;
        QString text;
        int tipId = 0; // 0: no help tip
        Ranges ranges = Ranges::None;
    };

    // The fourteen, in the order of the reported list.
    static const QList<Right>& all();
    // Their ids top to bottom on screen.
    static const QList<int>& screenOrder();
    // The position of the right in all(), -1 for an id that is not one of them.
    static int indexOf(int id);
    static int count() { return all().size(); }

private:
    PermissionRights() = delete;
};

#endif // PERMISSIONRIGHTS_H
