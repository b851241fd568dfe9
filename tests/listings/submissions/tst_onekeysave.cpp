#include "listings/submissions/MicroWebsiteSaleOrRentDetailWidget.h"
#include "listings/submissions/MicroWebsiteSeekSaleOrRentDetailWidget.h"
#include "listings/submissions/OneKeySave.h"
#include "net/http/ServiceAddresses.h"
#include "support/service/ReferenceService.h"
#include "support/ui/AlertProbe.h"
#include "support/ui/HostWindowFixture.h"
#include "support/ui/ListingSamples.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/popups/ModuleUpdateDialog.h"

#include "DataCenter.h"

#include <QApplication>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedPointer>
#include <QTest>

namespace {

using Demand = MicroWebSiteSeekSaleOrRentList_Model::ListData;

Demand sampleDemand(int id, const QString& sex)
{
    Demand demand;
    demand.id = id;
    demand.needarea = QStringLiteral("高新区");
    demand.mianji = QStringLiteral("80");
    demand.tmianji = QStringLiteral("120");
    demand.price = QStringLiteral("1000");
    demand.tprice = QStringLiteral("2000");
    demand.floors = QStringLiteral("3");
    demand.tfloors = QStringLiteral("10");
    demand.name = QStringLiteral("李四");
    demand.sex = sex;
    demand.phone = QStringLiteral("13600001111");
    demand.remark = QStringLiteral("近地铁");
    return demand;
}

void clickSave(QWidget* detail)
{
    auto* button = detail->findChild<QPushButton*>(QStringLiteral("pushButton_save"));
    QVERIFY(button);
    QCOMPARE(button->text(), QStringLiteral("一键保存"));
    QTest::mouseClick(button, Qt::LeftButton);
}

QString fieldText(QWidget* dialog, const QString& key)
{
    auto* edit = dialog->findChild<QLineEdit*>(key);
    return edit ? edit->text() : QStringLiteral("<missing>");
}

} // namespace

class TestOneKeySave : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();

    void houseMap();
    void contactsJson_data();
    void contactsJson();
    void customerMap_data();
    void customerMap();
    void demandDetail_data();
    void demandDetail();

    void missingLibraryOpensTheUpdateDialog_data();
    void missingLibraryOpensTheUpdateDialog();
    void missingFunctionShowsItsAlert_data();
    void missingFunctionShowsItsAlert();
    void withoutIdNothingHappens();

    void houseLandsInTheHouseBook_data();
    void houseLandsInTheHouseBook();
    void customerLandsInTheCustomerBook();

private:
    QJsonArray bookEntries(const QString& path, const QByteArray& query);

    QScopedPointer<ReferenceService> m_service;
    QMap<QString, QVariant> m_session;
};

void TestOneKeySave::initTestCase()
{
    ModuleTestEnvironment::prepareWidgetTests();
    m_service.reset(new ReferenceService);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
    m_service->useAsBaseAddresses();
    m_session = m_service->login(QStringLiteral("13800000000"));
    QVERIFY(!m_session.isEmpty());
    DataCenter::HttpHeadMap = m_session;

    // The real components are loaded from the application's folder.
    for (const char* name : {"libkq_housebook.so", "libkq_customerbook.so"}) {
        const QString path = QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(name);
        QVERIFY2(QFileInfo::exists(path), qPrintable(path + QStringLiteral(" is not built")));
    }
}

void TestOneKeySave::cleanup()
{
    OneKeySave::setLibraryNames(QString(), QString());
    HostWindowFixture::closeWindows(QStringLiteral("ModuleUpdateDialog"));
    HostWindowFixture::closeWindows(QStringLiteral("BookDialog"));
    AlertProbe::closeAll();
}

void TestOneKeySave::cleanupTestCase()
{
    DataCenter::reset();
    qunsetenv("MICROSITE_API_BASE");
    ServiceAddresses::reload();
}

QJsonArray TestOneKeySave::bookEntries(const QString& path, const QByteArray& query)
{
    return m_service->post(path, query, m_session).rows();
}

void TestOneKeySave::houseMap()
{
    const QVariantMap map = OneKeySave::houseMap(ListingSamples::house(42));
    const QVariantMap expected{
        {QStringLiteral("source_type"), QString()},
        {QStringLiteral("source_id"), QStringLiteral("42")},
        {QStringLiteral("is_show_community"), true},
        {QStringLiteral("name"), QStringLiteral("阳光花园")},
        {QStringLiteral("buildingNo"), QStringLiteral("3")},
        {QStringLiteral("unitNo"), QStringLiteral("2")},
        {QStringLiteral("roomNo"), QStringLiteral("301")},
        {QStringLiteral("district"), QStringLiteral("锦江区")},
        {QStringLiteral("area"), QStringLiteral("春熙路")},
        {QStringLiteral("address"), QStringLiteral("红星路100号")},
        {QStringLiteral("floors"), 5},
        {QStringLiteral("allfloors"), 18},
        {QStringLiteral("hutype"), QStringLiteral("3室2厅")},
        {QStringLiteral("price"), 89.5},
        {QStringLiteral("unitprice"), 7458},
        {QStringLiteral("builtuparea"), 120.0},
        {QStringLiteral("renovation"), QStringLiteral("精装")},
        {QStringLiteral("housetype"), QStringLiteral("住宅")},
        {QStringLiteral("remark"), QStringLiteral("急售")},
        {QStringLiteral("toward"), QStringLiteral("南")},
        {QStringLiteral("payway"), QStringLiteral("押一付三")},
        {QStringLiteral("rentway"), QStringLiteral("整租")},
        {QStringLiteral("contacts"), QStringLiteral("[{\"name\":\"张三\",\"level\":\"先生\",\"phone\":\"13911112222\"}]")},
        {QStringLiteral("source"), QStringLiteral("网络")},
        {QStringLiteral("photo"), QStringLiteral("http://img/1.jpg,http://img/2.jpg")},
    };
    QCOMPARE(map.keys(), expected.keys());
    for (auto it = expected.constBegin(); it != expected.constEnd(); ++it) {
        QCOMPARE(map.value(it.key()), it.value());
        // Integers travel as integers, prices and areas as doubles.
        QCOMPARE(map.value(it.key()).userType(), it.value().userType());
    }
}

void TestOneKeySave::contactsJson_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("phone");

    QTest::newRow("plain") << QStringLiteral("张三") << QStringLiteral("13911112222");
    QTest::newRow("quote") << QStringLiteral("王\"老五\"") << QStringLiteral("139");
    QTest::newRow("backslash and brace") << QStringLiteral("a\\b}],") << QStringLiteral("1\"3");
    QTest::newRow("line break") << QStringLiteral("赵\n六") << QString();
}

void TestOneKeySave::contactsJson()
{
    QFETCH(QString, name);
    QFETCH(QString, phone);
    const QString json = OneKeySave::contactsJson(name, phone);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8(), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QVERIFY(document.isArray());
    QCOMPARE(document.array().size(), 1);
    const QJsonObject contact = document.array().at(0).toObject();
    QCOMPARE(contact.value(QStringLiteral("name")).toString(), name);
    QCOMPARE(contact.value(QStringLiteral("phone")).toString(), phone);
    // Always "先生", whoever the owner is.
    QCOMPARE(contact.value(QStringLiteral("level")).toString(), QStringLiteral("先生"));
    QCOMPARE(contact.keys().size(), 3);
}

void TestOneKeySave::customerMap_data()
{
    QTest::addColumn<QString>("sex");
    QTest::addColumn<QString>("sent");

    QTest::newRow("0 is a man") << QStringLiteral("0") << QStringLiteral("男");
    QTest::newRow("1 is a woman") << QStringLiteral("1") << QStringLiteral("女");
    QTest::newRow("anything else is a woman") << QString() << QStringLiteral("女");
}

void TestOneKeySave::customerMap()
{
    QFETCH(QString, sex);
    QFETCH(QString, sent);
    const QVariantMap map = OneKeySave::customerMap(sampleDemand(7, sex));
    const QVariantMap expected{
        {QStringLiteral("name"), QStringLiteral("李四")},     {QStringLiteral("phone"), QStringLiteral("13600001111")},
        {QStringLiteral("sex"), sent},                        {QStringLiteral("needarea"), QStringLiteral("高新区")},
        {QStringLiteral("mianji"), QStringLiteral("80")},     {QStringLiteral("tmianji"), QStringLiteral("120")},
        {QStringLiteral("price"), QStringLiteral("1000")},    {QStringLiteral("tprice"), QStringLiteral("2000")},
        {QStringLiteral("floor"), QStringLiteral("3")},       {QStringLiteral("tfloor"), QStringLiteral("10")},
        {QStringLiteral("remark"), QStringLiteral("近地铁")},
    };
    QCOMPARE(map, expected);
    for (const QVariant& value : map)
        QCOMPARE(value.userType(), int(QMetaType::QString));
}

void TestOneKeySave::demandDetail_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("sex");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("priceLine");

    QTest::newRow("buy, a man") << 0 << QStringLiteral("0") << QStringLiteral("先生") << QStringLiteral("需求价格：80-120万");
    QTest::newRow("rent, a woman") << 1 << QStringLiteral("1") << QStringLiteral("女士")
                                   << QStringLiteral("需求月租：1000-2000元/月");
}

void TestOneKeySave::demandDetail()
{
    QFETCH(int, type);
    QFETCH(QString, sex);
    QFETCH(QString, title);
    QFETCH(QString, priceLine);

    Demand demand = sampleDemand(7, sex);
    if (type == 0) {
        demand.price = QStringLiteral("80");
        demand.tprice = QStringLiteral("120");
    }
    demand.name = QStringLiteral("李<b>四</b>");
    MicroWebsiteSeekSaleOrRentDetailWidget detail;
    detail.setData(type, demand);
    detail.show();

    auto text = [&detail](const char* name) { return detail.findChild<QLabel*>(QLatin1String(name))->text(); };
    QCOMPARE(text("label_price"), priceLine);
    QCOMPARE(text("label_needarea"), QStringLiteral("需求区域：高新区"));
    QCOMPARE(text("label_size"), QStringLiteral("需求面积：80-120平"));
    QCOMPARE(text("label_floor"), QStringLiteral("需求楼层：3-10层"));
    QCOMPARE(text("label_remark"), QStringLiteral("近地铁"));
    // A visitor's markup is shown as typed, not applied.
    QCOMPARE(text("label_name"),
             QStringLiteral("<html><head/><body><p><span style=\" font-size:20px; font-weight:600;\">李&lt;b&gt;四&lt;/b&gt; "
                            "</span><span style=\" font-size:20px; font-weight:600; color:#505050; vertical-align:sub;\">"
                            "%1 13600001111</span></p></body></html>")
                 .arg(title));
}

void TestOneKeySave::missingLibraryOpensTheUpdateDialog_data()
{
    QTest::addColumn<bool>("customer");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("fileName");

    QTest::newRow("house book") << false << QStringLiteral("缺少<房源本>组件！") << QStringLiteral("kq_housebook.dll");
    QTest::newRow("customer book") << true << QStringLiteral("缺少<客户本>组件！") << QStringLiteral("kq_customerbook.dll");
}

void TestOneKeySave::missingLibraryOpensTheUpdateDialog()
{
    QFETCH(bool, customer);
    QFETCH(QString, message);
    QFETCH(QString, fileName);
    OneKeySave::setLibraryNames(QStringLiteral("kq_no_such_book"), QStringLiteral("kq_no_such_book"));
    const int housesBefore = bookEntries(QStringLiteral("api/hbook/posts"), QByteArray()).size();

    MicroWebsiteSaleOrRentDetailWidget houseDetail;
    houseDetail.setData(ListingSamples::house(42), false);
    MicroWebsiteSeekSaleOrRentDetailWidget demandDetail;
    demandDetail.setData(0, sampleDemand(7, QStringLiteral("0")));
    QWidget* detail = customer ? static_cast<QWidget*>(&demandDetail) : static_cast<QWidget*>(&houseDetail);
    detail->show();

    clickSave(detail);
    auto* dialog =
        qobject_cast<ModuleUpdateDialog*>(HostWindowFixture::visibleWindow(QStringLiteral("ModuleUpdateDialog")));
    QVERIFY(dialog);
    QCOMPARE(dialog->message(), message);
    QCOMPARE(dialog->fileName(), fileName);
    QVERIFY(dialog->findChild<QLabel*>(QStringLiteral("fileLabel"))->text().contains(fileName));
    QVERIFY(detail->isVisible());
    // A second click brings the same dialog forward instead of stacking another.
    clickSave(detail);
    QCOMPARE(HostWindowFixture::visibleWindowCount(QStringLiteral("ModuleUpdateDialog")), 1);

    // Fetching asks the service, which has nothing to offer, and the dialog says so itself.
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("fetchButton")), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(dialog->statusText(),
                              QStringLiteral("该组件暂不提供下载（%1），请联系管理员安装。").arg(fileName), 10000);
    QVERIFY(dialog->findChild<QPushButton*>(QStringLiteral("fetchButton"))->isEnabled());
    QVERIFY(AlertProbe::visibleAlerts().isEmpty());
    QCOMPARE(bookEntries(QStringLiteral("api/hbook/posts"), QByteArray()).size(), housesBefore);

    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("closeButton")), Qt::LeftButton);
    QTRY_VERIFY(!HostWindowFixture::visibleWindow(QStringLiteral("ModuleUpdateDialog")));
}

void TestOneKeySave::missingFunctionShowsItsAlert_data()
{
    QTest::addColumn<int>("kind"); // 0 sale, 1 rent, 2 customer
    QTest::addColumn<QString>("alert");

    QTest::newRow("sale") << 0 << QStringLiteral("addSaleHouse导出失败！");
    QTest::newRow("rent") << 1 << QStringLiteral("addRentHouse导出失败！");
    QTest::newRow("customer") << 2 << QStringLiteral("addCustomer 导出失败！");
}

void TestOneKeySave::missingFunctionShowsItsAlert()
{
    QFETCH(int, kind);
    QFETCH(QString, alert);
    // Each book loads, but exports none of the other's functions.
    OneKeySave::setLibraryNames(QStringLiteral("kq_customerbook"), QStringLiteral("kq_housebook"));

    MicroWebsiteSaleOrRentDetailWidget houseDetail;
    houseDetail.setData(ListingSamples::house(42), kind == 1);
    MicroWebsiteSeekSaleOrRentDetailWidget demandDetail;
    demandDetail.setData(0, sampleDemand(7, QStringLiteral("0")));
    QWidget* detail = kind == 2 ? static_cast<QWidget*>(&demandDetail) : static_cast<QWidget*>(&houseDetail);
    detail->show();

    clickSave(detail);
    AlertWidget* shown = AlertProbe::waitForAlert();
    QVERIFY(shown);
    QCOMPARE(AlertProbe::contentText(shown), alert);
    QCOMPARE(AlertProbe::titleText(shown), QStringLiteral("警告"));
    QVERIFY(!HostWindowFixture::visibleWindow(QStringLiteral("ModuleUpdateDialog")));
    QVERIFY(!HostWindowFixture::visibleWindow(QStringLiteral("BookDialog")));
    QVERIFY(detail->isVisible());
}

void TestOneKeySave::withoutIdNothingHappens()
{
    OneKeySave::setLibraryNames(QStringLiteral("kq_no_such_book"), QStringLiteral("kq_no_such_book"));
    QCOMPARE(OneKeySave::copyHouse(ListingSamples::house(0), false), OneKeySave::Outcome::NotSaved);
    QCOMPARE(OneKeySave::copyHouse(ListingSamples::house(-3), true), OneKeySave::Outcome::NotSaved);
    QCOMPARE(OneKeySave::copyCustomer(nullptr, 0, sampleDemand(0, QStringLiteral("0"))), OneKeySave::Outcome::NotSaved);
    QVERIFY(AlertProbe::flushPending());
    QVERIFY(AlertProbe::visibleAlerts().isEmpty());
    QVERIFY(!HostWindowFixture::visibleWindow(QStringLiteral("ModuleUpdateDialog")));
}

void TestOneKeySave::houseLandsInTheHouseBook_data()
{
    QTest::addColumn<bool>("isRent");
    QTest::newRow("sale") << false;
    QTest::newRow("rent") << true;
}

void TestOneKeySave::houseLandsInTheHouseBook()
{
    QFETCH(bool, isRent);
    const int id = isRent ? 501 : 500;
    MicroWebsiteSaleOrRentDetailWidget detail;
    detail.setData(ListingSamples::house(id), isRent);
    detail.show();
    clickSave(&detail);

    // The house book shows what it received, and keeps it when the user saves.
    QWidget* dialog = HostWindowFixture::visibleWindow(QStringLiteral("BookDialog"));
    QVERIFY(dialog);
    QCOMPARE(fieldText(dialog, QStringLiteral("name")), QStringLiteral("阳光花园"));
    QCOMPARE(fieldText(dialog, QStringLiteral("price")), QStringLiteral("89.5"));
    QCOMPARE(fieldText(dialog, QStringLiteral("builtuparea")), QStringLiteral("120"));
    QCOMPARE(fieldText(dialog, QStringLiteral("floors")), QStringLiteral("5"));
    QCOMPARE(dialog->findChild<QLineEdit*>(QStringLiteral("rentway")) != nullptr, isRent);
    // The user may still correct a field before saving.
    dialog->findChild<QLineEdit*>(QStringLiteral("toward"))->setText(QStringLiteral("南北"));
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("saveButton")), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(dialog->findChild<QLabel*>(QStringLiteral("statusLabel"))->text(),
                              QStringLiteral("已保存到房源本"), 10000);

    const QJsonArray houses = bookEntries(QStringLiteral("api/hbook/posts"), isRent ? "kind=1" : "kind=0");
    QJsonObject stored;
    for (const QJsonValue& house : houses) {
        if (house.toObject().value(QStringLiteral("source_id")).toString() == QString::number(id))
            stored = house.toObject();
    }
    QVERIFY2(!stored.isEmpty(), "the house is not in the house book");
    QCOMPARE(stored.value(QStringLiteral("name")).toString(), QStringLiteral("阳光花园"));
    QCOMPARE(stored.value(QStringLiteral("roomNo")).toString(), QStringLiteral("301"));
    QCOMPARE(stored.value(QStringLiteral("price")).toDouble(), 89.5);
    QCOMPARE(stored.value(QStringLiteral("toward")).toString(), QStringLiteral("南北"));
    QCOMPARE(stored.value(QStringLiteral("source")).toString(), QStringLiteral("网络"));
    QCOMPARE(stored.value(QStringLiteral("is_show_community")).toBool(), true);
    QCOMPARE(stored.value(QStringLiteral("photo")).toString(), QStringLiteral("http://img/1.jpg,http://img/2.jpg"));
    QCOMPARE(stored.value(QStringLiteral("rentway")).toString(), isRent ? QStringLiteral("整租") : QString());
    const QJsonObject contact =
        QJsonDocument::fromJson(stored.value(QStringLiteral("contacts")).toString().toUtf8()).array().at(0).toObject();
    QCOMPARE(contact.value(QStringLiteral("name")).toString(), QStringLiteral("张三"));
    QCOMPARE(contact.value(QStringLiteral("phone")).toString(), QStringLiteral("13911112222"));

    // Saving the same submission again is refused by the book, and the form stays to tell so.
    HostWindowFixture::closeWindows(QStringLiteral("BookDialog"));
    clickSave(&detail);
    dialog = HostWindowFixture::visibleWindow(QStringLiteral("BookDialog"));
    QVERIFY(dialog);
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("saveButton")), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(dialog->findChild<QLabel*>(QStringLiteral("statusLabel"))->text(),
                              QStringLiteral("该房源已在房源本中"), 10000);
    QVERIFY(dialog->isVisible());
}

void TestOneKeySave::customerLandsInTheCustomerBook()
{
    MicroWebsiteSeekSaleOrRentDetailWidget detail;
    Demand demand = sampleDemand(9, QStringLiteral("1"));
    demand.phone = QStringLiteral("13655556666");
    detail.setData(1, demand);
    detail.show();
    clickSave(&detail);

    QWidget* dialog = HostWindowFixture::visibleWindow(QStringLiteral("BookDialog"));
    QVERIFY(dialog);
    // The customer book gets the detail as its parent.
    QCOMPARE(dialog->parentWidget(), &detail);
    QCOMPARE(fieldText(dialog, QStringLiteral("sex")), QStringLiteral("女"));
    QCOMPARE(fieldText(dialog, QStringLiteral("floor")), QStringLiteral("3"));
    QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("saveButton")), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(dialog->findChild<QLabel*>(QStringLiteral("statusLabel"))->text(),
                              QStringLiteral("已保存到客户本"), 10000);

    // Type 1 (wants to rent) arrives as kind 2.
    const QJsonArray customers = bookEntries(QStringLiteral("api/cbook/posts"), "kind=2");
    QJsonObject stored;
    for (const QJsonValue& customer : customers) {
        if (customer.toObject().value(QStringLiteral("phone")).toString() == QLatin1String("13655556666"))
            stored = customer.toObject();
    }
    QVERIFY2(!stored.isEmpty(), "the customer is not in the customer book");
    QCOMPARE(stored.value(QStringLiteral("name")).toString(), QStringLiteral("李四"));
    QCOMPARE(stored.value(QStringLiteral("sex")).toString(), QStringLiteral("女"));
    QCOMPARE(stored.value(QStringLiteral("tprice")).toString(), QStringLiteral("2000"));
    QCOMPARE(stored.value(QStringLiteral("tfloor")).toString(), QStringLiteral("10"));
    QCOMPARE(stored.value(QStringLiteral("remark")).toString(), QStringLiteral("近地铁"));
}

QTEST_MAIN(TestOneKeySave)
#include "tst_onekeysave.moc"
