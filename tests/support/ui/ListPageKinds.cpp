#include "support/ui/ListPageKinds.h"

#include "frame/MicroWebsiteMainPageWidget.h"
#include "listings/financial/MircroWebSiteFinancialCustomerListWidget.h"
#include "listings/newhouse/MicroWebSiteNewHouseListWidget.h"
#include "listings/submissions/MicroWebsiteSaleOrRentWidget.h"
#include "widgets/lists/CustomListWidget.h"

#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace ListPageKinds {

QWidget* open(const QString& kind, QWidget* host)
{
    if (kind == QLatin1String("table")) {
        auto* table = new MicroWebsiteSaleOrRentWidget(host);
        table->setType(0);
        return table;
    }
    if (kind == QLatin1String("cards"))
        return new MicroWebSiteNewHouseListWidget(host);
    if (kind == QLatin1String("customers"))
        return new MircroWebSiteFinancialCustomerListWidget(host);
    return new MicroWebsiteMainPageWidget(host);
}

void reload(const QString& kind, QWidget* page)
{
    if (kind == QLatin1String("customers"))
        static_cast<MircroWebSiteFinancialCustomerListWidget*>(page)->downloadData();
    else
        QTest::mouseClick(page->findChild<QPushButton*>(QStringLiteral("pushButton_refresh")), Qt::LeftButton);
}

int shownRows(const QString& kind, QWidget* page)
{
    if (kind == QLatin1String("table"))
        return page->findChild<QTableWidget*>(QStringLiteral("tableWidget"))->rowCount();
    if (kind == QLatin1String("main")) {
        int count = 0;
        for (const auto& tile : static_cast<MicroWebsiteMainPageWidget*>(page)->tiles())
            count += tile.itemid > 0 ? 1 : 0;
        return count;
    }
    return page->findChild<CustomListWidget*>()->listWidget()->count();
}

bool idle(const QWidget* page)
{
    return page->findChildren<QPushButton*>(QStringLiteral("QProgressIndicator_shade")).isEmpty();
}

} // namespace ListPageKinds
