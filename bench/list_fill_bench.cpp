// Fills a table page of 20 rows and a card page of 5 cards from canned records, as the pages do
// when a reply arrives (no service, no pictures: the cards have no thumbnail), and prints the
// median time per fill over the runs: building the rows or cards, then that with the layout,
// deletions and painting that the event loop does before the next frame. A first fill starts
// from an empty list; a page turn fills the list on screen with the other page's records (cards
// are refilled, not made again); a second fill shows the same records again (a refresh).
//
// Then opens the carousel adverts' popup as the main page does, against a canned service on
// 127.0.0.1 holding 30 adverts with 1920 x 1080 photos (in the picture cache after the first
// openings), and prints what the GUI thread spends from the click to the list laid out and
// painted, apart from waiting for the reply, and its longest stall meanwhile.
//
//   list_fill_bench [RUNS]        default 25 runs after 3 unmeasured ones

#include "content/ads/MicroWebsiteScrollAdsWidget.h"
#include "listings/common/CardListPage.h"
#include "listings/newhouse/NewHouse_ProductList_ItemView.h"
#include "listings/submissions/MicroWebsiteSaleOrRentWidget.h"
#include "widgets/lists/CustomListWidget.h"
#include "widgets/popups/CommonAddWidget.h"
#include "widgets/popups/PopupLauncher.h"

#include "EventLoopMeter.h"

#include "DataCenter.h"
#include "LocalDatabase.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMainWindow>
#include <QPointer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

// The submissions page with its request switched off, filled straight from records.
class TableBenchPage : public MicroWebsiteSaleOrRentWidget
{
public:
    using MicroWebsiteSaleOrRentWidget::MicroWebsiteSaleOrRentWidget;
    void downloadData() override {}
    void fill(QList<ListData> rows) { showRows(rows, &MicroWebsiteSaleOrRentWidget::displayValuesFor); }
};

// A card page without requests, filled with new-house cards.
class CardBenchPage : public CardListPage
{
public:
    using CardListPage::CardListPage;
    // As the new-house page fills its cards, without the connections to its operations.
    void fill(const QList<NewHouseList_Model::ListData>& projects)
    {
        using Card = NewHouse_ProductList_ItemView;
        showRecords<Card>(projects, Card::readRights(this), [](QWidget* parent) { return new Card(parent); });
    }
    void clear() { listWidget()->keepRows(0); }

protected:
    void reloadList() override {}
};

// One page of records; `page` changes every record's texts, as the next page of a list would.
QList<MicroWebsiteSaleOrRentWidget::ListData> cannedHouses(int page)
{
    QList<MicroWebsiteSaleOrRentWidget::ListData> rows;
    for (int i = 1 + 20 * page; i <= 20 + 20 * page; ++i) {
        MicroWebsiteSaleOrRentWidget::ListData row;
        row.id = 1000 + i;
        row.housename = QStringLiteral("阳光花园");
        row.buildingNo = QString::number(i % 7 + 1);
        row.unitNo = QString::number(i % 3 + 1);
        row.roomNo = QString::number(300 + i);
        row.districtstr = QStringLiteral("锦江区");
        row.areastr = QStringLiteral("春熙路");
        row.hutype = QStringLiteral("3室2厅1卫");
        row.floors = i % 18 + 1;
        row.allfloors = 18;
        row.builtuparea = 80.5 + i;
        row.price = 89.5 + i;
        row.housetype = QStringLiteral("住宅");
        row.time = QStringLiteral("2024-05-12 14:30:00");
        rows.append(row);
    }
    return rows;
}

QList<NewHouseList_Model::ListData> cannedProjects(int page)
{
    QList<NewHouseList_Model::ListData> projects;
    for (int i = 1 + 5 * page; i <= 5 + 5 * page; ++i) {
        NewHouseList_Model::ListData project;
        project.id = i;
        project.name = QStringLiteral("锦城湖岸%1期").arg(i);
        project.zhuangtai = QStringLiteral("在售");
        project.dongtai = QStringLiteral("三号楼本周开盘，首付两成起");
        project.province = QStringLiteral("四川省");
        project.cityname = QStringLiteral("成都市");
        project.address = QStringLiteral("高新区天府大道中段%1号").arg(100 + i);
        project.junjia = QString::number(17000 + 500 * i);
        project.yongjin = QStringLiteral("成交总价的1.5%，结佣周期30天");
        project.leixing = QStringLiteral("住宅");
        project.istop = i == 1;
        project.telbefore = QStringLiteral("400-800-1234");
        project.telafter = QString::number(i);
        projects.append(project);
    }
    return projects;
}

// Everything the event loop would do before the next frame: layout, deletions, painting.
void drain()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// Median, in milliseconds, of `runs` measured calls after a few unmeasured ones; each starts
// with nothing left over from the one before, after prepare (not measured) has run.
double medianMs(int runs, const std::function<void()>& fill, const std::function<void()>& prepare = {})
{
    const auto once = [&](std::vector<double>* times) {
        if (prepare)
            prepare();
        drain();
        QElapsedTimer timer;
        timer.start();
        fill();
        if (times)
            times->push_back(timer.nsecsElapsed() / 1e6);
    };
    for (int i = 0; i < 3; ++i) {
        once(nullptr);
        drain();
    }
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        once(&times);
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A service on 127.0.0.1 that knows one list, the carousel adverts, and their photos; every
// other request is answered with an empty success.
class CannedAdsService : public QTcpServer
{
public:
    explicit CannedAdsService(int adverts)
    {
        QImage photo(QStringLiteral(KQ_BENCH_PHOTO));
        photo = photo.scaled(1920, 1080, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
        // As the service stores an upload: a JPEG within 200 KB.
        for (int quality = 90; quality >= 30; quality -= 10) {
            m_photo.clear();
            QBuffer buffer(&m_photo);
            buffer.open(QIODevice::WriteOnly);
            photo.save(&buffer, "JPEG", quality);
            if (m_photo.size() <= 200 * 1024)
                break;
        }
        listen(QHostAddress::LocalHost);
        QJsonArray ads;
        for (int i = 1; i <= adverts; ++i) {
            ads.append(QJsonObject{{QStringLiteral("id"), i},
                                   {QStringLiteral("title"), QStringLiteral("首页轮播%1").arg(i)},
                                   {QStringLiteral("photo"), QString(base() + QStringLiteral("files/ad%1.jpg").arg(i))},
                                   {QStringLiteral("type"), i % 4},
                                   {QStringLiteral("itemid"), 100 + i}});
        }
        m_adverts = envelope(ads);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
        });
    }
    QString base() const { return QStringLiteral("http://127.0.0.1:%1/").arg(serverPort()); }

private:
    static QByteArray envelope(const QJsonValue& data)
    {
        return QJsonDocument(QJsonObject{{QStringLiteral("code"), 200}, {QStringLiteral("message"), QString()},
                                         {QStringLiteral("data"), data}})
            .toJson(QJsonDocument::Compact);
    }
    void answer(QTcpSocket* socket)
    {
        QByteArray& request = m_requests[socket];
        request += socket->readAll();
        const int headerEnd = request.indexOf("\r\n\r\n");
        if (headerEnd < 0)
            return;
        const QByteArray target = request.split(' ').value(1);
        request.clear();
        QByteArray body = envelope(QString());
        QByteArray type = "application/json; charset=utf-8";
        if (target.startsWith("/files/")) {
            body = m_photo;
            type = "image/jpeg";
        } else if (target.contains("lunboposts")) {
            body = m_adverts;
        }
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: " + type + "\r\nContent-Length: " + QByteArray::number(body.size())
                      + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        m_requests.remove(socket);
    }

    QByteArray m_photo;
    QByteArray m_adverts;
    QHash<QTcpSocket*, QByteArray> m_requests;
};

// Opens the adverts' popup over the main window as the main page does, waits for its list and
// lets it be laid out and painted; returns the popup, to be closed by the caller.
QPointer<CommonAddWidget> openAdverts()
{
    auto* adverts = new MicroWebsiteScrollAdsWidget;
    QSignalSpy shown(adverts, &MicroWebsiteScrollAdsWidget::listShown);
    QPointer<CommonAddWidget> popup = PopupLauncher::open(QStringLiteral("轮播广告"), QSize(862, 712), adverts);
    if (!shown.wait(10000))
        qWarning("The adverts did not arrive.");
    drain();
    return popup;
}

// Median and best of the GUI thread's busy time and longest stall over `runs` openings.
struct PopupFigures
{
    double busy = 0;
    double bestBusy = 0;
    double stall = 0;
    double bestStall = 0;
};
PopupFigures measureAdverts(int runs)
{
    QPointer<CommonAddWidget> popup;
    const auto closePopup = [&] {
        if (popup)
            popup->close();
        drain();
    };
    EventLoopMeter meter;
    std::vector<double> busy;
    std::vector<double> stalls;
    for (int i = 0; i < runs + 3; ++i) {
        closePopup();
        meter.start();
        popup = openAdverts();
        const double ms = meter.stop();
        // The first openings fill the picture cache.
        if (i >= 3) {
            busy.push_back(ms);
            stalls.push_back(meter.longestMs());
        }
    }
    closePopup();
    std::sort(busy.begin(), busy.end());
    std::sort(stalls.begin(), stalls.end());
    return {busy[busy.size() / 2], busy.front(), stalls[stalls.size() / 2], stalls.front()};
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The cards read the user's rights from the local store: keep it out of the user's files.
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    qputenv("XDG_CACHE_HOME", data.path().toLocal8Bit());
    QApplication app(argc, argv);
    CannedAdsService service(30);
    qputenv("MICROSITE_API_BASE", (service.base() + QStringLiteral("api/")).toUtf8());
    const int runs = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 25;

    // A manager, who is offered every operation on every card and row.
    const QString phone = QStringLiteral("13800000000");
    LocalDatabase::writeUser(phone, QStringLiteral("{\"phone\":\"%1\",\"userinfo\":{\"ismanager\":1}}").arg(phone),
                             QStringLiteral("[]"), QStringLiteral("[]"));
    DataCenter::UserPhoneNumber = phone;
    DataCenter::isManager = true;
    QMainWindow mainWindow;
    mainWindow.resize(1280, 688);
    mainWindow.show();
    DataCenter::MainWindowWidget = &mainWindow;

    TableBenchPage table;
    table.resize(1200, 1000);
    table.setType(0);
    table.show();
    CardBenchPage cards;
    cards.resize(1200, 900);
    cards.show();
    QCoreApplication::processEvents();

    const QList<MicroWebsiteSaleOrRentWidget::ListData> houses[2] = {cannedHouses(0), cannedHouses(1)};
    const QList<NewHouseList_Model::ListData> projects[2] = {cannedProjects(0), cannedProjects(1)};
    int page = 0;
    const auto turnTable = [&] { table.fill(houses[page ^= 1]); drain(); };
    const auto turnCards = [&] { cards.fill(projects[page ^= 1]); drain(); };

    QTextStream out(stdout);
    out << "median of " << runs << " fills, milliseconds (one frame is 16.7)\n";
    const auto emptyTable = [&] { table.fill({}); };
    out << "table, 20 rows, first fill, built                  " << medianMs(runs, [&] { table.fill(houses[0]); }, emptyTable) << '\n';
    out << "table, 20 rows, first fill, laid out and painted   " << medianMs(runs, [&] { table.fill(houses[0]); drain(); }, emptyTable) << '\n';
    out << "table, 20 rows, page turn, built                   " << medianMs(runs, [&] { table.fill(houses[page ^= 1]); }) << '\n';
    out << "table, 20 rows, page turn, laid out and painted    " << medianMs(runs, turnTable) << '\n';
    out << "table, 20 rows, second fill, laid out and painted  " << medianMs(runs, [&] { table.fill(houses[0]); drain(); }) << '\n';
    const auto emptyCards = [&] { cards.clear(); };
    out << "cards, 5 cards, first fill, built                  " << medianMs(runs, [&] { cards.fill(projects[0]); }, emptyCards) << '\n';
    out << "cards, 5 cards, first fill, laid out and painted   " << medianMs(runs, [&] { cards.fill(projects[0]); drain(); }, emptyCards) << '\n';
    out << "cards, 5 cards, page turn, built                   " << medianMs(runs, [&] { cards.fill(projects[page ^= 1]); }) << '\n';
    out << "cards, 5 cards, page turn, laid out and painted    " << medianMs(runs, turnCards) << '\n';
    out << "cards, 5 cards, second fill, laid out and painted  " << medianMs(runs, [&] { cards.fill(projects[0]); drain(); }) << '\n';
    table.hide();
    cards.hide();

    const PopupFigures adverts = measureAdverts(runs);
    out << "advert popup, 30 adverts, GUI busy from click to painted  " << adverts.busy << " (best " << adverts.bestBusy
        << ")\n";
    out << "advert popup, 30 adverts, longest GUI stall               " << adverts.stall << " (best "
        << adverts.bestStall << ")\n";
    return 0;
}
