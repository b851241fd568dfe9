#include "support/ui/TablePageProbe.h"

#include "listings/common/HouseTableLabelItemView.h"
#include "listings/common/HoverTableWidget.h"
#include "listings/common/ListingTablePage.h"
#include "net/http/NetRequestObjecet.h"
#include "widgets/lists/QProgressIndicator.h"

#include <QTest>

namespace TablePageProbe {

bool settled(const ListingTablePage& page, int timeoutMs)
{
    return QTest::qWaitFor([&page] { return page.table()->findChildren<QProgressIndicator*>().isEmpty(); },
                           timeoutMs);
}

QStringList headerTitles(const ListingTablePage& page)
{
    QStringList titles;
    for (int i = 0; i < page.table()->columnCount(); ++i) {
        const QTableWidgetItem* item = page.table()->horizontalHeaderItem(i);
        titles.append(item ? item->text() : QStringLiteral("<no title>"));
    }
    return titles;
}

QString cellText(const ListingTablePage& page, int row, int column)
{
    const auto* cell = qobject_cast<HouseTableLabelItemView*>(page.table()->cellWidget(row, column));
    return cell ? cell->text() : QStringLiteral("<no cell>");
}

int columnOf(const QString& columnsJson, const QString& key)
{
    const QList<QVariantMap> columns = NetRequestObjecet::jsonToMapList(columnsJson);
    for (int i = 0; i < columns.size(); ++i) {
        if (columns.at(i).value(QStringLiteral("key")).toString() == key)
            return i;
    }
    return -1;
}

} // namespace TablePageProbe
