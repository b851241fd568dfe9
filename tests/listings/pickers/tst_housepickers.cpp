#include "listings/pickers/MicroWebsiteChooseHouseHadView.h"
#include "listings/pickers/MicroWebsiteChooseHouseWidget.h"
#include "listings/pickers/SaleOrRentPutUpChooseWidget.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/ui/AlertProbe.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "widgets/lists/CustomListWidget.h"

#include "DataCenter.h"

#include <QCheckBox>
#include <QJsonArray>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QUrlQuery>
#include <QtTest>

using Picker = MicroWebsiteChooseHouseWidget;
using Item = MicroWebsiteChooseHouseWidget::ItemData;
using LinkPicker = SaleOrRentPutUpChooseWidget;

namespace {

const QString kSitePath = QStringLiteral("/api/mtore/mshouseposts");
const QString kCirclePath = QStringLiteral("/api/app/housegrouppostst");

QJsonObject house(int id, const QString& title)
{
    return QJsonObject{{QStringLiteral("id"), id}, {QStringLiteral("title"), title}};
}

QUrlQuery bodyOf(const ScriptedHttpServer::Request& request)
{
    return QUrlQuery(QString::fromUtf8(request.body));
}

// The houses whose title holds the "key" sent, the first `page` of them, with the full total.
ScriptedHttpServer::Responder houses(const QList<QJsonObject>& all, int page)
{
    return [all, page](const ScriptedHttpServer::Request& request) {
        const QString key = bodyOf(request).queryItemValue(QStringLiteral("key"), QUrl::FullyDecoded);
        QJsonArray rows;
        int total = 0;
        for (const QJsonObject& object : all) {
            if (!object.value(QStringLiteral("title")).toString().contains(key))
                continue;
            ++total;
            if (rows.size() < page)
                rows.append(object);
        }
        return ScriptedHttpServer::listReply(total, rows);
    };
}

QList<QCheckBox*> boxesOf(const Picker& picker)
{
    QList<QCheckBox*> boxes;
    for (QCheckBox* box : picker.findChildren<QCheckBox*>()) {
        if (box->objectName() != QLatin1String("checkBox_allChoose") && !box->isHidden())
            boxes.append(box);
    }
    return boxes;
}

QCheckBox* boxFor(const Picker& picker, int id)
{
    for (QCheckBox* box : boxesOf(picker)) {
        if (box->text().startsWith(QStringLiteral("【%1】").arg(id)))
            return box;
    }
    return nullptr;
}

QStringList chosenColumn(const Picker& picker)
{
    QStringList texts;
    for (const MicroWebsiteChooseHouseHadView* view : picker.findChildren<MicroWebsiteChooseHouseHadView*>()) {
        if (!view->isHidden())
            texts.append(view->text());
    }
    return texts;
}

QList<int> idsOf(const QList<Item>& items)
{
    QList<int> ids;
    for (const Item& item : items)
        ids.append(item.id);
    return ids;
}

void search(Picker& picker, const QString& name)
{
    QSignalSpy shown(&picker, &Picker::listShown);
    picker.searchBox(0)->setText(name);
    QTest::keyClick(picker.searchBox(0), Qt::Key_Return);
    QVERIFY(shown.wait(5000));
}

} // namespace

class TestHousePickers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void searchParametersBySource_data();
    void searchParametersBySource();
    void theCircleCompanyAsksTheCircle();
    void ticksStayAcrossSearchesAndTheAllBox();
    void moreMatchesThanOfferedAreSaid();
    void earlierChoicesShowTickedAndComeBack();
    void entryTexts_data();
    void entryTexts();
    void linkPickerPagesWithMoreUnderItsFirstEntries();

private:
    ScriptedHttpServer m_server;
    QString m_company;
};

void TestHousePickers::initTestCase()
{
    ModuleTestEnvironment::prepareWidgetTests();
    qRegisterMetaType<QList<Item>>();
    QVERIFY(m_server.start());
    m_server.useAsApiBase();
    m_company = DataCenter::CompanyID;
}

void TestHousePickers::init()
{
    m_server.clear();
    DataCenter::CompanyID = QStringLiteral("10001");
}

void TestHousePickers::cleanup()
{
    DataCenter::CompanyID = m_company;
    AlertProbe::closeAll();
}

void TestHousePickers::searchParametersBySource_data()
{
    QTest::addColumn<bool>("circle");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QVariantMap>("expected");
    const QStringList empty{QString(), QString(), QString(), QString(), QString()};
    const QStringList filled{QStringLiteral("阳光 & 花园"), QStringLiteral("A12"), QStringLiteral("3"), QStringLiteral("2"),
                             QStringLiteral("501")};
    QTest::newRow("site, empty boxes") << false << empty
                                       << QVariantMap{{QStringLiteral("type"), 0}, {QStringLiteral("pageindex"), 1}, {QStringLiteral("pagesize"), 15}, {QStringLiteral("putup"), 1}};
    QTest::newRow("site, every box")
        << false << filled
        << QVariantMap{{QStringLiteral("type"), 0}, {QStringLiteral("pageindex"), 1}, {QStringLiteral("pagesize"), 15}, {QStringLiteral("putup"), 1}, {QStringLiteral("key"), filled.at(0)},
                       {QStringLiteral("bianhao"), filled.at(1)}, {QStringLiteral("donghao"), filled.at(2)}, {QStringLiteral("danyuan"), filled.at(3)}, {QStringLiteral("fanghao"), filled.at(4)}};
    QTest::newRow("circle, every box")
        << true << filled
        << QVariantMap{{QStringLiteral("type"), 0}, {QStringLiteral("mtype"), 0}, {QStringLiteral("pageindex"), 1}, {QStringLiteral("pagesize"), 20}, {QStringLiteral("housename"), filled.at(0)},
                       {QStringLiteral("houseid"), filled.at(1)}, {QStringLiteral("dongno"), filled.at(2)}, {QStringLiteral("fangno"), filled.at(4)}};
}

void TestHousePickers::searchParametersBySource()
{
    QFETCH(bool, circle);
    QFETCH(QStringList, boxes);
    QFETCH(QVariantMap, expected);
    QCOMPARE(Picker::searchParams(circle, boxes), expected);
}

void TestHousePickers::theCircleCompanyAsksTheCircle()
{
    m_server.setReply(kSitePath, ScriptedHttpServer::listReply(1, QJsonArray{house(1, QStringLiteral("站点房源"))}));
    m_server.setReply(kCirclePath, ScriptedHttpServer::listReply(1, QJsonArray{house(7, QStringLiteral("房圈房源"))}));
    DataCenter::CompanyID = QStringLiteral("30728");
    Picker circlePicker;
    QSignalSpy shown(&circlePicker, &Picker::listShown);
    QVERIFY(shown.wait(5000));
    QCOMPARE(idsOf(circlePicker.listed()), QList<int>{7});
    QCOMPARE(boxesOf(circlePicker).first()->text(), QStringLiteral("【7】房圈房源"));
    QVERIFY(m_server.requestsTo(kSitePath).isEmpty());

    DataCenter::CompanyID = QStringLiteral("10001");
    Picker sitePicker;
    QSignalSpy siteShown(&sitePicker, &Picker::listShown);
    QVERIFY(siteShown.wait(5000));
    QCOMPARE(idsOf(sitePicker.listed()), QList<int>{1});
    QCOMPARE(m_server.requestsTo(kCirclePath).size(), 1);
    QCOMPARE(bodyOf(m_server.requestsTo(kSitePath).first()).queryItemValue(QStringLiteral("putup")), QStringLiteral("1"));
}

void TestHousePickers::ticksStayAcrossSearchesAndTheAllBox()
{
    m_server.setResponder(kSitePath, houses({house(1, QStringLiteral("阳光花园一期")), house(2, QStringLiteral("阳光花园二期")),
                                             house(3, QStringLiteral("锦城湖岸"))},
                                            15));
    Picker picker;
    QSignalSpy shown(&picker, &Picker::listShown);
    QVERIFY(shown.wait(5000));
    QCOMPARE(boxesOf(picker).size(), 3);
    QTest::mouseClick(boxFor(picker, 2), Qt::LeftButton);
    QCOMPARE(idsOf(picker.chosen()), QList<int>{2});
    QCOMPARE(chosenColumn(picker), QStringList{QStringLiteral("【2】阳光花园二期")});

    search(picker, QStringLiteral("锦城"));
    QCOMPARE(idsOf(picker.listed()), QList<int>{3});
    QVERIFY(!boxFor(picker, 3)->isChecked());
    search(picker, QStringLiteral("阳光"));
    QVERIFY(boxFor(picker, 2)->isChecked());
    QVERIFY(!boxFor(picker, 1)->isChecked());

    auto* all = picker.findChild<QCheckBox*>(QStringLiteral("checkBox_allChoose"));
    QTest::mouseClick(all, Qt::LeftButton);
    QCOMPARE(idsOf(picker.chosen()), (QList<int>{2, 1}));
    search(picker, QStringLiteral("锦城"));
    QTest::mouseClick(boxFor(picker, 3), Qt::LeftButton);
    QCOMPARE(idsOf(picker.chosen()), (QList<int>{2, 1, 3}));
    QVERIFY(all->isChecked());

    // Unticking the all box removes only the houses listed now.
    QTest::mouseClick(all, Qt::LeftButton);
    QCOMPARE(idsOf(picker.chosen()), (QList<int>{2, 1}));
    // The right column's delete removes a house wherever it was ticked.
    for (MicroWebsiteChooseHouseHadView* view : picker.findChildren<MicroWebsiteChooseHouseHadView*>()) {
        if (view->text().startsWith(QStringLiteral("【1】")))
            QTest::mouseClick(view->deleteButton(), Qt::LeftButton);
    }
    QCOMPARE(idsOf(picker.chosen()), QList<int>{2});

    QSignalSpy back(&picker, &Picker::backChooose);
    QTest::mouseClick(picker.findChild<QToolButton*>(QStringLiteral("toolButton_sure")), Qt::LeftButton);
    QCOMPARE(back.count(), 1);
    QCOMPARE(idsOf(back.first().first().value<QList<Item>>()), QList<int>{2});
    QSignalSpy closed(&picker, &Picker::closeWidget);
    QTest::mouseClick(picker.findChild<QToolButton*>(QStringLiteral("toolButton_cancle")), Qt::LeftButton);
    QCOMPARE(closed.count(), 1);
}

void TestHousePickers::moreMatchesThanOfferedAreSaid()
{
    QList<QJsonObject> many;
    for (int i = 1; i <= 40; ++i)
        many.append(house(i, i <= 30 ? QStringLiteral("花园%1").arg(i) : QStringLiteral("湖岸%1").arg(i)));
    m_server.setResponder(kSitePath, houses(many, 15));
    Picker picker;
    QSignalSpy shown(&picker, &Picker::listShown);
    QVERIFY(shown.wait(5000));
    QCOMPARE(picker.listed().size(), 15);
    QVERIFY(!picker.moreLabel()->isHidden());
    QCOMPARE(picker.moreLabel()->text(), QStringLiteral("仅显示前15条，请输入更多条件"));
    search(picker, QStringLiteral("湖岸"));
    QCOMPARE(picker.listed().size(), 10);
    QVERIFY(picker.moreLabel()->isHidden());
}

void TestHousePickers::earlierChoicesShowTickedAndComeBack()
{
    m_server.setResponder(kSitePath, houses({house(4, QStringLiteral("甲")), house(5, QStringLiteral("乙"))}, 15));
    Picker picker;
    picker.setChosen({Item{5, QStringLiteral("乙")}, Item{9, QStringLiteral("不在本页")}});
    QSignalSpy shown(&picker, &Picker::listShown);
    QVERIFY(shown.wait(5000));
    QVERIFY(boxFor(picker, 5)->isChecked());
    QVERIFY(!boxFor(picker, 4)->isChecked());
    QCOMPARE(chosenColumn(picker).size(), 2);
    QSignalSpy back(&picker, &Picker::backChooose);
    QTest::mouseClick(picker.findChild<QToolButton*>(QStringLiteral("toolButton_sure")), Qt::LeftButton);
    QCOMPARE(idsOf(back.first().first().value<QList<Item>>()), (QList<int>{5, 9}));
}

void TestHousePickers::entryTexts_data()
{
    QTest::addColumn<QString>("templateText");
    QTest::addColumn<QString>("text");
    QTest::newRow("one key") << QStringLiteral("[w]name[w]") << QStringLiteral("锦城湖岸");
    QTest::newRow("text around keys") << QStringLiteral("[w]name[w]（[w]price[w]元/㎡）") << QStringLiteral("锦城湖岸（18000元/㎡）");
    QTest::newRow("first complete alternative") << QStringLiteral("[w]title[w]（[w]area[w]）[cp][w]name[w]") << QStringLiteral("锦城湖岸");
    QTest::newRow("last alternative stands") << QStringLiteral("[w]area[w]平[cp]未知面积") << QStringLiteral("未知面积");
}

void TestHousePickers::entryTexts()
{
    QFETCH(QString, templateText);
    QFETCH(QString, text);
    const QVariantMap entry{{QStringLiteral("name"), QStringLiteral("锦城湖岸")}, {QStringLiteral("price"), 18000},
                            {QStringLiteral("title"), QStringLiteral("阳光花园")}};
    QCOMPARE(LinkPicker::dealTxt(templateText, entry), text);
}

void TestHousePickers::linkPickerPagesWithMoreUnderItsFirstEntries()
{
    const QString path = QStringLiteral("/api/nhouse/posts");
    m_server.setResponder(path, [](const ScriptedHttpServer::Request& request) {
        const QUrlQuery query = bodyOf(request);
        const int page = query.queryItemValue(QStringLiteral("pageindex")).toInt();
        const QString key = query.queryItemValue(QStringLiteral("name"), QUrl::FullyDecoded);
        QJsonArray rows;
        const int count = key.isEmpty() ? (page == 1 ? 20 : page == 2 ? 5 : 0) : 1;
        for (int i = 0; i < count; ++i) {
            const int id = (page - 1) * 20 + i + 1;
            rows.append(QJsonObject{{QStringLiteral("id"), id}, {QStringLiteral("name"), key.isEmpty() ? QStringLiteral("楼盘%1").arg(id) : key}});
        }
        return ScriptedHttpServer::listReply(key.isEmpty() ? 25 : 1, rows);
    });
    LinkPicker picker;
    QSignalSpy shown(&picker, &LinkPicker::listShown);
    LinkPicker::Config config;
    config.url = m_server.url(path);
    config.fixedParams = {{QStringLiteral("wstore"), 1}};
    config.searchParam = QStringLiteral("name");
    config.firstEntries = {{{QStringLiteral("id"), 0}, {QStringLiteral("name"), QStringLiteral("<新房列表页>")}}};
    picker.setConfig(config);
    QVERIFY(shown.wait(5000));
    QCOMPARE(picker.entries().size(), 21);
    QCOMPARE(picker.entries().first().value(LinkPicker::ShownTextKey).toString(), QStringLiteral("<新房列表页>"));
    const QUrlQuery first = bodyOf(m_server.requestsTo(path).first());
    QCOMPARE(first.queryItemValue(QStringLiteral("wstore")), QStringLiteral("1"));
    QCOMPARE(first.queryItemValue(QStringLiteral("pageindex")), QStringLiteral("1"));
    QCOMPARE(first.queryItemValue(QStringLiteral("lianmai")), QStringLiteral("0"));

    emit picker.list()->moreClick();
    QVERIFY(shown.wait(5000));
    QCOMPARE(picker.entries().size(), 26);
    QCOMPARE(picker.entries().last().value(QStringLiteral("name")).toString(), QStringLiteral("楼盘25"));
    // The last page was short: "more" asks nothing further.
    emit picker.list()->moreClick();
    QCOMPARE(m_server.requestsTo(path).size(), 2);

    picker.searchBox()->setText(QStringLiteral("锦城 & 湖岸"));
    QTest::keyClick(picker.searchBox(), Qt::Key_Return);
    QVERIFY(shown.wait(5000));
    QCOMPARE(picker.entries().size(), 2);
    QCOMPARE(bodyOf(m_server.requestsTo(path).last()).queryItemValue(QStringLiteral("pageindex")), QStringLiteral("1"));

    QSignalSpy chosen(&picker, &LinkPicker::chooseHouse);
    QListWidget* list = picker.list()->listWidget();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(1)).center());
    QCOMPARE(chosen.count(), 1);
    const QVariantMap entry = chosen.first().first().toMap();
    QCOMPARE(entry.value(LinkPicker::ShownTextKey).toString(), QStringLiteral("锦城 & 湖岸"));
    QCOMPARE(entry.value(QStringLiteral("id")).toInt(), 1);
}

QTEST_MAIN(TestHousePickers)
#include "tst_housepickers.moc"
