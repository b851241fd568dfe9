#ifndef LISTPAGEKINDS_H
#define LISTPAGEKINDS_H

#include <QString>

class QWidget;

// The four kinds of list the module loads from the service, for tests that hold every one of them
// to the same rule: "table" (owners' houses for sale), "cards" (new-house projects), "customers"
// (loan applications) and "main" (the main page's tiles).
namespace ListPageKinds {

// A new page of the kind as a child of `host`; it asks for its list as it would in the module.
QWidget* open(const QString& kind, QWidget* host);
// Asks for the list again as a user would: the refresh button, or the customers' own reload.
void reload(const QString& kind, QWidget* page);
// The rows the page shows (for the main page: its service tiles, built-in ones left out).
int shownRows(const QString& kind, QWidget* page);
// No wait indicator over the page.
bool idle(const QWidget* page);

} // namespace ListPageKinds

#endif // LISTPAGEKINDS_H
