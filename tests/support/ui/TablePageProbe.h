#ifndef TABLEPAGEPROBE_H
#define TABLEPAGEPROBE_H

#include "CustomTabWidget.h"

#include <QString>
#include <QStringList>

class ListingTablePage;

// Opens and reads the table pages of the listings (submissions, demands, the listing manager).
namespace TablePageProbe {

// A new page of this class as a tab of the host under the title; setting its kind requests the
// first page.
template<typename Page>
Page* open(CustomTabWidget* tabs, const QString& title, int type)
{
    auto* page = new Page(tabs);
    tabs->addTabWidget(title, page);
    page->setType(type);
    return page;
}

// Waits until the page's requests have been answered (no wait indicator left on the table);
// false after the timeout.
bool settled(const ListingTablePage& page, int timeoutMs = 10000);

// The column titles of the table, in order.
QStringList headerTitles(const ListingTablePage& page);

// The text of a text cell; "<no cell>" where there is none.
QString cellText(const ListingTablePage& page, int row, int column);

// The index of the column with this key in a column configuration (JSON text); -1 when none.
int columnOf(const QString& columnsJson, const QString& key);

} // namespace TablePageProbe

#endif // TABLEPAGEPROBE_H
