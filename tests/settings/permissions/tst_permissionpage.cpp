#include "net/http/NetRequestObjecet.h"
#include "settings/ChooserProbe.h"
#include "settings/choosers/JointSale_PersonOrDepartmentChooseWidget.h"
#include "settings/choosers/PersonOrDepartmentChooseWidget.h"
#include "settings/permissions/PermissionMicroWebSiteWidget.h"
#include "settings/permissions/PermissionRangeChooseWidget.h"
#include "settings/permissions/models/PermissionRange.h"
#include "support/service/ReferenceService.h"
#include "support/ui/HostWindowFixture.h"
#include "support/ui/InputProbe.h"
#include "support/ui/LocalStoreFixture.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "widgets/inputs/ApplicationItemChooseView.h"
#include "widgets/inputs/ChoosePeople_Item.h"
#include "widgets/inputs/CustomComboBox.h"
#include "widgets/inputs/OmitLabel.h"
#include "widgets/popups/CommonAddWidget.h"

#include "CustomTabWidget.h"
#include "DataCenter.h"
#include "HelpQuestionWidget.h"

#include <QCheckBox>
#include <QPushButton>
#include <QScopedPointer>
#include <QtTest>

#include <memory>

using ChooserProbe::clickButton;
using ChooserProbe::clickInRow;
using ChooserProbe::rowOf;
using InputProbe::chooseEntry;
using Chooser = PersonOrDepartmentChooseWidget;

namespace {

const QString kManager = QStringLiteral("13800000000");
const int kFixedOrder[] = {65, 66, 67, 68, 69, 70, 73, 82, 83, 93, 97, 98, 148, 156};
// What a check on the label's state reads for a hidden label.
const QString kHidden = QStringLiteral("<hidden>");
const int kTextOnly = -100;

QVariantMap right(int id, const QVariant& selected, int range, const QString& bumens)
{
    return {{QStringLiteral("id"), id}, {QStringLiteral("selected"), selected}, {QStringLiteral("range"), range},
            {QStringLiteral("bumens"), bumens}};
}

// A right as the page holds it before anything is known of it: complete, so the service takes it.
QVariantMap unset(int id)
{
    return {{QStringLiteral("id"), id}, {QStringLiteral("selected"), false}, {QStringLiteral("range"), 0},
            {QStringLiteral("bumens"), QStringLiteral("[]")}};
}

QString shownNames(const PermissionRangeChooseWidget* chooser)
{
    return chooser->namesLabel()->isHidden() ? kHidden : chooser->namesLabel()->fullText();
}

// The chooser of the one popup frame on screen, once it has loaded what it shows.
Chooser* openChooser()
{
    const QList<CommonAddWidget*> popups = HostWindowFixture::openPopups();
    auto* chooser = popups.size() == 1 ? qobject_cast<Chooser*>(popups.first()->content()) : nullptr;
    return chooser && ChooserProbe::idle(chooser) ? chooser : nullptr;
}

} // namespace

class TestPermissionPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void rowsInTheirOrderWithTipsAndRanges();
    void partCases_data();
    void partCases();
    void secondRoleLeavesNothingOfTheFirst();
    void anotherRoleClosesAnOpenChooser();
    void rangeTexts_data();
    void rangeTexts();
    void chosenDepartmentsWithTheirSubDepartments();
    void dismissingTheChooserKeepsTheEarlierRange_data();
    void dismissingTheChooserKeepsTheEarlierRange();
    void confirmingNothingFallsBackToTheWholeCompany();
    void jointSaleContextOpensTheJointSaleChooser_data();
    void jointSaleContextOpensTheJointSaleChooser();

private:
    // The range chooser of right 65 on a page in the host window.
    PermissionRangeChooseWidget* range65() const { return m_page->rangeChooser(65); }
    QVariantMap lastItem(int id) const;

    QScopedPointer<ReferenceService> m_service;
    std::unique_ptr<HostWindowFixture> m_host;
    PermissionMicroWebSiteWidget* m_page = nullptr;
    QList<QList<QVariantMap>> m_emitted;
};

void TestPermissionPage::initTestCase()
{
    ModuleTestEnvironment::prepareWidgetTests();
    m_service.reset(new ReferenceService);
    QVERIFY2(m_service->isRunning(), qPrintable(m_service->errorString()));
}

void TestPermissionPage::init()
{
    m_host = std::make_unique<HostWindowFixture>();
    QVERIFY(LocalStoreFixture::loginAtService(*m_service, kManager));
    m_page = new PermissionMicroWebSiteWidget;
    m_host->tabs()->addTabWidget(QStringLiteral("角色权限"), m_page);
    m_emitted.clear();
    connect(m_page, &PermissionMicroWebSiteWidget::valueChange, this,
            [this](const QList<QVariantMap>& list) { m_emitted.append(list); });
}

void TestPermissionPage::cleanup()
{
    m_host.reset();
    m_page = nullptr;
}

QVariantMap TestPermissionPage::lastItem(int id) const
{
    if (m_emitted.isEmpty())
        return {};
    for (const QVariantMap& item : m_emitted.last()) {
        if (item.value(QStringLiteral("id")).toInt() == id)
            return item;
    }
    return {};
}

void TestPermissionPage::rowsInTheirOrderWithTipsAndRanges()
{
    const QList<int> screen{70, 97, 73, 65, 98, 93, 66, 82, 83, 156, 67, 68, 69, 148};
    QList<int> shown;
    int lastY = -1;
    for (int id : screen) {
        QCheckBox* box = m_page->checkBox(id);
        QVERIFY(box);
        const int y = box->mapTo(m_page, QPoint()).y();
        QVERIFY2(y > lastY, qPrintable(box->text()));
        lastY = y;
    }
    QCOMPARE(m_page->checkBox(65)->text(), QStringLiteral("二手房/租房-上下架"));
    QCOMPARE(m_page->checkBox(156)->text(), QStringLiteral("微官网新增信息管理（求租、求购、我的出售、我的出售）"));
    QCOMPARE(m_page->findChild<HelpQuestionWidget*>(QStringLiteral("help_148"))->tipId(), 242);
    QCOMPARE(m_page->findChild<HelpQuestionWidget*>(QStringLiteral("help_70"))->tipId(), 194);
    QVERIFY(!m_page->findChild<HelpQuestionWidget*>(QStringLiteral("help_156")));

    for (int id : kFixedOrder) {
        const bool ranged = id == 65 || id == 66 || id == 93 || id == 98;
        QCOMPARE(m_page->rangeChooser(id) != nullptr, ranged);
    }
    const QStringList full{QStringLiteral("全公司"), QStringLiteral("所在部门及下级部门"), QStringLiteral("仅所在部门"),
                           QStringLiteral("指定部门"), QStringLiteral("仅自己")};
    for (int id : {65, 66, 93, 98}) {
        CustomComboBox* box = m_page->rangeChooser(id)->comboBox();
        QStringList entries;
        for (int i = 0; i < box->count(); ++i)
            entries.append(box->itemText(i));
        QCOMPARE(entries, id == 93 ? QStringList(full.mid(0, 4)) : full);
        QCOMPARE(box->currentText(), QStringLiteral("全公司"));
    }
}

void TestPermissionPage::partCases_data()
{
    QTest::addColumn<QVariantList>("data");
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QString>("rangeText");
    QTest::addColumn<QString>("names");
    // Item 65 as the last valueChange carried it; empty when nothing was emitted.
    QTest::addColumn<QVariantMap>("reported");

    const QString hiddenB = QStringLiteral("[{\"dept_name\":\"A\"},{\"dept_name\":\"B\",\"hideData\":true}]");
    QTest::newRow("range 5 with a hidden department")
        << QVariantList{right(65, true, 5, hiddenB)} << QString() << true << QStringLiteral("指定部门")
        << QStringLiteral("A") << QVariantMap();
    QTest::newRow("range 2") << QVariantList{right(65, true, 2, QString())} << QString() << true
                             << QStringLiteral("仅自己") << kHidden << QVariantMap();
    QTest::newRow("range 1 reads as own department")
        << QVariantList{right(65, false, 1, hiddenB)} << QString() << false << QStringLiteral("仅所在部门") << kHidden
        << QVariantMap();
    QTest::newRow("unknown range") << QVariantList{right(65, QStringLiteral("true"), 9, QString())} << QString()
                                   << true << QStringLiteral("全公司") << kHidden << QVariantMap();
    QTest::newRow("id 132 ignored") << QVariantList{right(132, true, 5, hiddenB), QStringLiteral("not a map")}
                                    << QString() << false << QStringLiteral("全公司") << kHidden << QVariantMap();
    QTest::newRow("departments sent as a list")
        << QVariantList{QVariantMap{{QStringLiteral("id"), 65}, {QStringLiteral("selected"), 1},
                                    {QStringLiteral("range"), 5},
                                    {QStringLiteral("bumens"), QVariantList{QVariantMap{
                                                                   {QStringLiteral("dept_name"), QStringLiteral("A")}}}}}}
        << QString() << true << QStringLiteral("指定部门") << QStringLiteral("A") << QVariantMap();
    QTest::newRow("click before setData")
        << QVariantList() << QStringLiteral("click") << true << QStringLiteral("全公司") << kHidden
        << QVariantMap{{QStringLiteral("id"), 65}, {QStringLiteral("selected"), true}, {QStringLiteral("range"), 0},
                       {QStringLiteral("bumens"), QStringLiteral("[]")}};
    QTest::newRow("仅所在部门") << QVariantList{right(65, true, 0, QString())} << QStringLiteral("仅所在部门") << true
                           << QStringLiteral("仅所在部门") << kHidden
                           << QVariantMap{{QStringLiteral("id"), 65}, {QStringLiteral("selected"), true},
                                          {QStringLiteral("range"), 6}, {QStringLiteral("bumens"), QStringLiteral("[]")}};
    QTest::newRow("closing the chooser with nothing chosen")
        << QVariantList() << QStringLiteral("close chooser") << false << QStringLiteral("全公司") << kHidden
        << unset(65);
    // A stored right with its flag as text and no range goes back as the service keeps it.
    QTest::newRow("another right clicked after an incomplete one")
        << QVariantList{QVariantMap{{QStringLiteral("id"), 65}, {QStringLiteral("selected"), QStringLiteral("1")}}}
        << QStringLiteral("click 70") << true << QStringLiteral("全公司") << kHidden
        << QVariantMap{{QStringLiteral("id"), 65}, {QStringLiteral("selected"), true}, {QStringLiteral("range"), 0},
                       {QStringLiteral("bumens"), QStringLiteral("[]")}};
}

void TestPermissionPage::partCases()
{
    QFETCH(QVariantList, data);
    QFETCH(QString, action);
    QFETCH(bool, checked);
    QFETCH(QString, rangeText);
    QFETCH(QString, names);
    QFETCH(QVariantMap, reported);

    if (!data.isEmpty())
        m_page->setData(data);
    if (action.startsWith(QLatin1String("click"))) {
        QCheckBox* box = m_page->checkBox(action == QLatin1String("click") ? 65 : 70);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    } else if (action == QLatin1String("close chooser")) {
        QVERIFY(chooseEntry(range65()->comboBox(), QStringLiteral("指定部门")));
        Chooser* chooser = openChooser();
        QVERIFY(chooser);
        QCOMPARE(HostWindowFixture::popupTitle(HostWindowFixture::openPopups().first()), QStringLiteral("选择指定部门"));
        QVERIFY(clickButton(chooser, "pushButton_cancel"));
        QTRY_VERIFY(HostWindowFixture::openPopups().isEmpty());
    } else if (!action.isEmpty()) {
        QVERIFY(chooseEntry(range65()->comboBox(), action));
    }

    QCOMPARE(m_page->checkBox(65)->isChecked(), checked);
    QCOMPARE(range65()->comboBox()->currentText(), rangeText);
    QCOMPARE(shownNames(range65()), names);
    QCOMPARE(lastItem(65), reported);
    // Every report holds the fourteen items in the fixed order, each saying which right it is.
    for (const QList<QVariantMap>& list : qAsConst(m_emitted)) {
        QCOMPARE(list.size(), 14);
        for (int i = 0; i < 14; ++i)
            QCOMPARE(list.at(i).value(QStringLiteral("id")).toInt(), kFixedOrder[i]);
        for (const QVariantMap& item : list) {
            const int id = item.value(QStringLiteral("id")).toInt();
            if (id == 70 && action == QLatin1String("click 70"))
                QCOMPARE(item.value(QStringLiteral("selected")), QVariant(true));
            else if (id != 65)
                QCOMPARE(item, unset(id));
        }
    }
    QCOMPARE(m_emitted.isEmpty(), reported.isEmpty());
}

void TestPermissionPage::secondRoleLeavesNothingOfTheFirst()
{
    const QString chosen = QStringLiteral("[{\"dept_id\":2,\"dept_name\":\"总经办\",\"with_down\":false}]");
    QVariantMap first65 = right(65, true, 5, chosen);
    first65.insert(QStringLiteral("count"), 3);
    m_page->setData({first65, right(70, true, 0, QString()), right(93, true, 2, QString())});
    QVERIFY(m_page->checkBox(70)->isChecked());
    QCOMPARE(shownNames(range65()), QStringLiteral("总经办"));
    QCOMPARE(m_page->rangeChooser(93)->comboBox()->currentText(), QStringLiteral("仅自己"));
    // Keys the page does not know travel with the item.
    QCOMPARE(m_page->items().first(), first65);

    m_page->setData({right(97, true, 0, QString())});
    QVERIFY(!m_page->checkBox(65)->isChecked());
    QVERIFY(!m_page->checkBox(70)->isChecked());
    QVERIFY(m_page->checkBox(97)->isChecked());
    QCOMPARE(range65()->comboBox()->currentText(), QStringLiteral("全公司"));
    QCOMPARE(shownNames(range65()), kHidden);
    QVERIFY(range65()->departments().isEmpty());
    QCOMPARE(m_page->rangeChooser(93)->comboBox()->currentText(), QStringLiteral("全公司"));
    QCOMPARE(m_page->items().first(), unset(65));
    QVERIFY(m_emitted.isEmpty());

    // A click now reports the second role's rights only.
    QCheckBox* box = m_page->checkBox(148);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    QCOMPARE(lastItem(148).value(QStringLiteral("selected")).toBool(), true);
    QCOMPARE(lastItem(97), right(97, true, 0, QString()));
    QCOMPARE(lastItem(70), unset(70));
}

void TestPermissionPage::anotherRoleClosesAnOpenChooser()
{
    m_page->setData({right(65, true, 2, QString())});
    QVERIFY(chooseEntry(range65()->comboBox(), QStringLiteral("指定部门")));
    QVERIFY(openChooser());
    // The host switches to another role while the chooser is still open for the first one.
    m_page->setData({right(65, false, 4, QString())});
    QTRY_VERIFY(HostWindowFixture::openPopups().isEmpty());
    QCOMPARE(range65()->comboBox()->currentText(), QStringLiteral("所在部门及下级部门"));
    QVERIFY(m_emitted.isEmpty());
}

void TestPermissionPage::rangeTexts_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("rightId");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("readBack");

    QTest::newRow("0") << 0 << 65 << QStringLiteral("全公司") << 0;
    QTest::newRow("0 for right 132") << 0 << 132 << QStringLiteral("默认范围") << 0;
    QTest::newRow("1 reads back as 6") << 1 << 65 << QStringLiteral("仅所在部门") << 6;
    QTest::newRow("2") << 2 << 65 << QStringLiteral("仅自己") << 2;
    QTest::newRow("3 reads back as 4") << 3 << 65 << QStringLiteral("所在部门及下级部门") << 4;
    QTest::newRow("4") << 4 << 65 << QStringLiteral("所在部门及下级部门") << 4;
    QTest::newRow("5") << 5 << 65 << QStringLiteral("指定部门") << 5;
    QTest::newRow("6") << 6 << 65 << QStringLiteral("仅所在部门") << 6;
    QTest::newRow("7") << 7 << 65 << QStringLiteral("全公司") << 0;
    QTest::newRow("-1") << -1 << 65 << QStringLiteral("全公司") << 0;
    // Texts that other rights of the suite use, which only ever read back.
    QTest::newRow("所在管理区域") << kTextOnly << 0 << QStringLiteral("所在管理区域") << 3;
    QTest::newRow("仅所在门店") << kTextOnly << 0 << QStringLiteral("仅所在门店") << 1;
    QTest::newRow("any other text") << kTextOnly << 0 << QStringLiteral("别的") << 0;
}

void TestPermissionPage::rangeTexts()
{
    QFETCH(int, code);
    QFETCH(int, rightId);
    QFETCH(QString, text);
    QFETCH(int, readBack);
    if (code != kTextOnly) {
        // Shown by a chooser of its own, as an owner would use one for any right.
        PermissionRangeChooseWidget chooser;
        chooser.setData(code, QString(), rightId);
        QCOMPARE(chooser.comboBox()->currentText(), text);
    }
    QCOMPARE(PermissionRange::codeOf(text), readBack);
}

void TestPermissionPage::chosenDepartmentsWithTheirSubDepartments()
{
    m_page->setData({right(65, true, 0, QString())});
    QVERIFY(chooseEntry(range65()->comboBox(), QStringLiteral("指定部门")));
    Chooser* chooser = openChooser();
    QVERIFY(chooser);
    QVERIFY(!qobject_cast<JointSale_PersonOrDepartmentChooseWidget*>(chooser));
    QVERIFY(chooser->departmentsOnly());
    QCOMPARE(HostWindowFixture::openPopups().first()->size(), QSize(700, 550));

    QVERIFY(clickInRow(chooser, QStringLiteral("安居地产"), "pushButton_open"));
    QVERIFY(clickInRow(chooser, QStringLiteral("总经办"), "checkBox_choose"));
    QVERIFY(clickInRow(chooser, QStringLiteral("春熙路店"), "checkBox_withDown"));
    QVERIFY(clickButton(chooser, "pushButton_sure"));
    QTRY_VERIFY(HostWindowFixture::openPopups().isEmpty());

    QCOMPARE(range65()->comboBox()->currentText(), QStringLiteral("指定部门"));
    QCOMPARE(shownNames(range65()), QStringLiteral("总经办;春熙路店"));
    const QVariantMap reported = lastItem(65);
    QCOMPARE(reported.value(QStringLiteral("range")).toInt(), 5);
    QCOMPARE(reported.value(QStringLiteral("selected")).toBool(), true);
    const QList<QVariantMap> departments =
        NetRequestObjecet::jsonToMapList(reported.value(QStringLiteral("bumens")).toString());
    QStringList summary;
    for (const QVariantMap& dept : departments)
        summary.append(QStringLiteral("%1:%2:%3:%4")
                           .arg(dept.value(QStringLiteral("dept_id")).toString(),
                                dept.value(QStringLiteral("dept_name")).toString(),
                                dept.value(QStringLiteral("with_down")).toString(),
                                dept.value(QStringLiteral("hideData")).toString()));
    QCOMPARE(summary, (QStringList{QStringLiteral("2:总经办:false:false"), QStringLiteral("3:春熙路店:true:false"),
                                   QStringLiteral("4:春熙路一组:false:true"), QStringLiteral("5:春熙路二组:false:true")}));
    // Compact JSON text, as the host receives it.
    QVERIFY(!reported.value(QStringLiteral("bumens")).toString().contains(QLatin1Char(' ')));

    // Opened again from the names, the chooser starts from the listed departments only.
    QTest::mouseClick(range65()->namesLabel(), Qt::LeftButton);
    chooser = openChooser();
    QVERIFY(chooser);
    QCOMPARE(chooser->findChild<ApplicationItemChooseView*>()->itemTexts(),
             (QStringList{QStringLiteral("总经办"), QStringLiteral("春熙路店(含以下)")}));
}

void TestPermissionPage::dismissingTheChooserKeepsTheEarlierRange_data()
{
    QTest::addColumn<QVariantMap>("before");
    QTest::addColumn<QString>("rangeText");
    QTest::addColumn<QString>("names");

    QTest::newRow("chosen departments")
        << right(65, true, 5, QStringLiteral("[{\"dept_id\":2,\"dept_name\":\"总经办\"}]")) << QStringLiteral("指定部门")
        << QStringLiteral("总经办");
    QTest::newRow("only oneself") << right(65, true, 2, QString()) << QStringLiteral("仅自己") << kHidden;
}

void TestPermissionPage::dismissingTheChooserKeepsTheEarlierRange()
{
    QFETCH(QVariantMap, before);
    QFETCH(QString, rangeText);
    QFETCH(QString, names);
    m_page->setData({before});
    QVERIFY(chooseEntry(range65()->comboBox(), QStringLiteral("指定部门")));
    QVERIFY(openChooser());
    // The frame's own close button, as a user dismisses it.
    QTest::mouseClick(HostWindowFixture::openPopups().first()->findChild<QPushButton*>(QStringLiteral("closeButton")),
                      Qt::LeftButton);
    QTRY_VERIFY(HostWindowFixture::openPopups().isEmpty());

    QCOMPARE(range65()->comboBox()->currentText(), rangeText);
    QCOMPARE(shownNames(range65()), names);
    QCOMPARE(lastItem(65).value(QStringLiteral("range")).toInt(), PermissionRange::codeOf(rangeText));
    QCOMPARE(NetRequestObjecet::jsonToMapList(lastItem(65).value(QStringLiteral("bumens")).toString()),
             NetRequestObjecet::jsonToMapList(before.value(QStringLiteral("bumens")).toString()));
}

void TestPermissionPage::confirmingNothingFallsBackToTheWholeCompany()
{
    m_page->setData({right(65, true, 5, QStringLiteral("[{\"dept_id\":2,\"dept_name\":\"总经办\"}]"))});
    QVERIFY(chooseEntry(range65()->comboBox(), QStringLiteral("指定部门")));
    Chooser* chooser = openChooser();
    QVERIFY(chooser);
    auto* chips = chooser->findChild<ApplicationItemChooseView*>();
    QCOMPARE(chips->itemTexts(), QStringList{QStringLiteral("总经办")});
    QTest::mouseClick(chips->chips().first()->deleteButton(), Qt::LeftButton);
    QVERIFY(chips->itemTexts().isEmpty());
    QVERIFY(clickButton(chooser, "pushButton_sure"));
    QTRY_VERIFY(HostWindowFixture::openPopups().isEmpty());

    QCOMPARE(range65()->comboBox()->currentText(), QStringLiteral("全公司"));
    QCOMPARE(shownNames(range65()), kHidden);
    QCOMPARE(lastItem(65).value(QStringLiteral("range")).toInt(), 0);
    QCOMPARE(lastItem(65).value(QStringLiteral("bumens")).toString(), QStringLiteral("[]"));
}

void TestPermissionPage::jointSaleContextOpensTheJointSaleChooser_data()
{
    QTest::addColumn<QString>("companyId");
    QTest::addColumn<QString>("jointSaleCompanyId");
    QTest::addColumn<bool>("jointSale");

    QTest::newRow("the joint sale's company") << QStringLiteral("90001") << QStringLiteral("90001") << true;
    QTest::newRow("another company") << QStringLiteral("10001") << QStringLiteral("90001") << false;
    QTest::newRow("no joint sale") << QStringLiteral("10001") << QString() << false;
    QTest::newRow("both empty") << QString() << QString() << false;
    QTest::newRow("zero") << QStringLiteral("0") << QStringLiteral("0") << false;
    QTest::newRow("not a number") << QStringLiteral("js") << QStringLiteral("js") << false;
}

void TestPermissionPage::jointSaleContextOpensTheJointSaleChooser()
{
    QFETCH(QString, companyId);
    QFETCH(QString, jointSaleCompanyId);
    QFETCH(bool, jointSale);
    DataCenter::CompanyID = companyId;
    DataCenter::JointSaleCompanyId = jointSaleCompanyId;
    QCOMPARE(PermissionRangeChooseWidget::jointSaleContext(), jointSale);

    QVERIFY(chooseEntry(m_page->rangeChooser(98)->comboBox(), QStringLiteral("指定部门")));
    Chooser* chooser = openChooser();
    QVERIFY(chooser);
    QCOMPARE(qobject_cast<JointSale_PersonOrDepartmentChooseWidget*>(chooser) != nullptr, jointSale);
    // Each asks its own organisation: the joint sale's lists its member agencies.
    QCOMPARE(rowOf(chooser, QStringLiteral("蓉城房产")) != nullptr, jointSale);
    QVERIFY(rowOf(chooser, QStringLiteral("安居地产")));
}

QTEST_MAIN(TestPermissionPage)
#include "tst_permissionpage.moc"
