// Opens the views that show lists from the service against the reference service behind a proxy
// that makes every list of every reply ROWS long (a faulty service: 5,000 rows, some 10 MB per
// list reply), as a user would (a new page, "下一页", a click on a card), and prints for each the
// GUI thread's longest stall from the click to the view's data laid out and painted: median and
// best of RUNS. The proxy runs on a thread of its own, so its work is not counted.
//
//   view_stall_bench [RUNS] [ROWS]        defaults 3 and 5000
//
// It starts the reference service and its sibling components from the build's bin folder, and
// uses the tests' service runner and proxy: it is built with the tests (KQ_BUILD_TESTS).

#include "EventLoopMeter.h"

#include "content/ads/MicroWebsiteScrollAdsWidget.h"
#include "content/jobs/JoinUsListWidget.h"
#include "content/profile/CompanyProfileWidget.h"
#include "content/topics/MicroWebsiteNewsThemeListWidget.h"
#include "listings/financial/FinancialProductListItemView.h"
#include "listings/financial/MircroWebSiteFinancialListWidget.h"
#include "listings/housemanager/HouseManagerSaleOrRentListWidget.h"
#include "listings/newhouse/MicroWebSiteNewHouseListWidget.h"
#include "listings/newhouse/NewHouse_ProductList_ItemView.h"
#include "listings/submissions/MicroWebsiteSaleOrRentWidget.h"
#include "net/paging/ListPager.h"
#include "settings/style/MircroWebsiteStyleSetWidget.h"
#include "support/service/FaultProxy.h"
#include "support/service/ReferenceService.h"
#include "support/ui/CardPageFixture.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "widgets/lists/PagingBar.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTextStream>
#include <QThread>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

const QString kManager = QStringLiteral("13800000000");

void drain()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// Runs the event loop until done() holds or the time is up; false on the timeout.
bool waitFor(const std::function<bool()>& done, int timeoutMs = 60000)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
}

// A sibling component's detail window showing its record.
bool detailShown(const QString& objectName)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() != objectName || !window->isVisible())
            continue;
        const auto* heading = window->findChild<QLabel*>(QStringLiteral("label_heading"));
        return heading && !heading->text().isEmpty();
    }
    return false;
}

void closeDetails()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName().endsWith(QLatin1String("DetailDialog")))
            window->close();
    }
    drain();
}

// The longest stall of one step: act() starts it, done() tells when its data is on screen.
double stallOf(const std::function<void()>& act, const std::function<bool()>& done)
{
    EventLoopMeter meter;
    meter.start();
    act();
    if (!waitFor(done))
        qWarning("A view did not show its data in time.");
    drain();
    meter.stop();
    return meter.longestMs();
}

template <typename Page, typename Signal>
double openStall(CardPageFixture& pages, const QString& title, Signal shown, Page** opened)
{
    Page* page = nullptr;
    const double ms = stallOf([&] { page = pages.open<Page>(title, shown); }, [&] { return page != nullptr; });
    *opened = page;
    return ms;
}

void nextPage(QWidget* page)
{
    for (PagingBar* bar : page->findChildren<PagingBar*>()) {
        if (auto* next = bar->findChild<QPushButton*>(QStringLiteral("pushButton_next")))
            QTest::mouseClick(next, Qt::LeftButton);
    }
}

struct Figures
{
    QString view;
    std::vector<double> stalls;
};

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 3;
    const int rows = argc > 2 ? qMax(1, QString::fromLocal8Bit(argv[2]).toInt()) : 5000;
    ModuleTestEnvironment::prepareWidgetTests();

    CardPageFixture pages;
    ReferenceService* service = pages.startService(kManager);
    if (!service) {
        qWarning("The reference service did not start.");
        return 1;
    }
    QThread proxyThread;
    proxyThread.start();
    auto* proxy = new FaultProxy(service->baseUrl());
    proxy->moveToThread(&proxyThread);
    bool listening = false;
    QMetaObject::invokeMethod(
        proxy, [proxy, rows, &listening] {
            listening = proxy->start();
            proxy->multiplyLists(rows);
        },
        Qt::BlockingQueuedConnection);
    if (!listening) {
        qWarning("The proxy did not start.");
        return 1;
    }
    proxy->useAsBaseAddresses();

    QList<Figures> figures;
    const auto note = [&figures](const QString& view, double ms) {
        for (Figures& f : figures) {
            if (f.view == view) {
                f.stalls.push_back(ms);
                return;
            }
        }
        figures.append({view, {ms}});
    };

    for (int run = 0; run < runs; ++run) {
        // The card pages: the first page, 下一页, a card's detail in the sibling component.
        {
            using Page = MicroWebSiteNewHouseListWidget;
            Page* page = nullptr;
            note(QStringLiteral("新房 (cards), opened"), openStall(pages, QStringLiteral("新房"), &Page::refreshList, &page));
            QSignalSpy turned(page, &Page::refreshList);
            note(QStringLiteral("新房, 下一页"), stallOf([&] { nextPage(page); }, [&] { return turned.count() > 0; }));
            const auto cards = CardPageFixture::cards<NewHouse_ProductList_ItemView>(page);
            note(QStringLiteral("新房, project detail"),
                 stallOf([&] { QTest::mouseClick(cards.first(), Qt::LeftButton, {}, QPoint(80, 75)); },
                         [] { return detailShown(QStringLiteral("NewHouseDetailDialog")); }));
            closeDetails();
            delete page;
        }
        {
            using Page = MircroWebSiteFinancialListWidget;
            Page* page = nullptr;
            note(QStringLiteral("金融 (cards), opened"), openStall(pages, QStringLiteral("金融"), &Page::refresh, &page));
            QSignalSpy turned(page, &Page::refresh);
            note(QStringLiteral("金融, 下一页"), stallOf([&] { nextPage(page); }, [&] { return turned.count() > 0; }));
            const auto cards = CardPageFixture::cards<FinancialProductListItemView>(page);
            note(QStringLiteral("金融, loan product detail"),
                 stallOf([&] { QTest::mouseClick(cards.first(), Qt::LeftButton, {}, QPoint(80, 75)); },
                         [] { return detailShown(QStringLiteral("FinancialDetailDialog")); }));
            closeDetails();
            delete page;
        }
        // The table pages.
        {
            using Page = MicroWebsiteSaleOrRentWidget;
            auto* page = new Page;
            QSignalSpy shown(page->pager(), &ListPager::pageShown);
            note(QStringLiteral("二手房 submissions (table), opened"),
                 stallOf([&] { page->resize(1200, 700); page->show(); page->setType(0); }, [&] { return shown.count() > 0; }));
            note(QStringLiteral("二手房, 下一页"), stallOf([&] { nextPage(page); }, [&] { return shown.count() > 1; }));
            delete page;
        }
        {
            using Page = HouseManagerSaleOrRentListWidget;
            auto* page = new Page;
            QSignalSpy shown(page->pager(), &ListPager::pageShown);
            note(QStringLiteral("listing manager (table), opened"),
                 stallOf([&] { page->resize(1200, 700); page->show(); page->setType(0); }, [&] { return shown.count() > 0; }));
            delete page;
        }
        // The content and settings views.
        {
            MicroWebsiteScrollAdsWidget* page = nullptr;
            note(QStringLiteral("轮播广告, opened"),
                 openStall(pages, QStringLiteral("轮播广告"), &MicroWebsiteScrollAdsWidget::listShown, &page));
            delete page;
        }
        {
            JoinUsListWidget* page = nullptr;
            note(QStringLiteral("加入我们 (jobs), opened"),
                 openStall(pages, QStringLiteral("加入我们"), &JoinUsListWidget::listShown, &page));
            delete page;
        }
        {
            MicroWebsiteNewsThemeListWidget* page = nullptr;
            note(QStringLiteral("专题 (topics), opened"),
                 openStall(pages, QStringLiteral("专题"), &MicroWebsiteNewsThemeListWidget::listShown, &page));
            delete page;
        }
        {
            CompanyProfileWidget* page = nullptr;
            note(QStringLiteral("公司介绍, opened"),
                 openStall(pages, QStringLiteral("公司介绍"), &CompanyProfileWidget::profileShown, &page));
            delete page;
        }
        {
            MircroWebsiteStyleSetWidget* page = nullptr;
            note(QStringLiteral("设置 style page, opened"),
                 openStall(pages, QStringLiteral("风格设置"), &MircroWebsiteStyleSetWidget::contentShown, &page));
            delete page;
        }
    }

    QTextStream out(stdout);
    out << "longest GUI stall under a proxy of " << rows << " rows per list, milliseconds, median (best) of " << runs
        << " runs\n";
    for (Figures& f : figures) {
        std::sort(f.stalls.begin(), f.stalls.end());
        out << qSetFieldWidth(40) << Qt::left << f.view << qSetFieldWidth(0) << f.stalls[f.stalls.size() / 2] << " ("
            << f.stalls.front() << ")\n";
    }
    QMetaObject::invokeMethod(proxy, &QObject::deleteLater);
    proxyThread.quit();
    proxyThread.wait();
    return 0;
}
