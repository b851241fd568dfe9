#ifndef NEWHOUSEDATA_H
#define NEWHOUSEDATA_H

#include <QString>

class ServiceContext;
class ServiceDatabase;

// The new-house projects a company shows on its site: their table, the demo projects, and the
// ordering rules that the project and loan-product lists share.
//
// A list is ordered by "sort" ascending (then id); a table with a pin column shows its pinned
// rows first, each group in its own order.
class NewHouseData
{
public:
    static bool createSchema(ServiceDatabase& db);
    // Eleven projects in four districts of 成都 for "安居地产" and three for "山城置业", with
    // pictures drawn into the files folder.
    static bool seed(ServiceContext& context);

    enum class Move { Done, NotFound, AtFirst, AtLast, Failed };

    // type 0: to the top (with a pin column: pinned, first among the pinned); 1: one place up;
    // 2: one place down, within the row's group. Up and down renumber the group 1..n.
    static Move reorder(ServiceDatabase& db, const QString& table, const QString& pinColumn,
                        const QString& companyId, qint64 id, int type);
    // Unpins a row and makes it the first of the unpinned ones.
    static Move unpin(ServiceDatabase& db, const QString& table, const QString& pinColumn,
                      const QString& companyId, qint64 id);

private:
    NewHouseData() = delete;
};

#endif // NEWHOUSEDATA_H
