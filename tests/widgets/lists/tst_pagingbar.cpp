#include "support/ui/AlertProbe.h"
#include "support/ui/ModuleTestEnvironment.h"
#include "widgets/lists/PagingBar.h"
#include "widgets/popups/AlertWidget.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using A = PagingRules::Action;
using S = PagingRules::Style;

Q_DECLARE_METATYPE(PagingRules::Action)
Q_DECLARE_METATYPE(PagingRules::Style)

class TestPagingBar : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ModuleTestEnvironment::prepareWidgetTests();
    }

    void cleanup()
    {
        AlertProbe::closeAll();
    }

    void rules_data()
    {
        QTest::addColumn<PagingRules::Style>("style");
        QTest::addColumn<PagingRules::Action>("action");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("jump");
        QTest::addColumn<bool>("request");
        QTest::addColumn<int>("newPage");
        QTest::addColumn<QString>("alert");

        const QString tFirst = QStringLiteral("亲，当前已是第一页无法再翻到上一页了！");
        const QString tLast = QStringLiteral("亲，当前已是最后一页无法再翻到下一页了！");
        const QString tTen = QStringLiteral("后面没有十页内容了！");
        const QString tJump = QStringLiteral("请选择有效的页数！");
        QTest::newRow("table << on 1 asks page 1 again") << S::Table << A::BackTen << 1 << 3 << "" << true << 1 << "";
        QTest::newRow("table << on 15") << S::Table << A::BackTen << 15 << 20 << "" << true << 5 << "";
        QTest::newRow("table previous on 1") << S::Table << A::Previous << 1 << 3 << "" << false << 1 << tFirst;
        QTest::newRow("table previous on 2") << S::Table << A::Previous << 2 << 3 << "" << true << 1 << "";
        QTest::newRow("table next on last") << S::Table << A::Next << 3 << 3 << "" << false << 3 << tLast;
        QTest::newRow("table next") << S::Table << A::Next << 2 << 3 << "" << true << 3 << "";
        QTest::newRow("table >> short") << S::Table << A::ForwardTen << 3 << 12 << "" << false << 3 << tTen;
        QTest::newRow("table >>") << S::Table << A::ForwardTen << 2 << 12 << "" << true << 12 << "";
        QTest::newRow("table jump 0") << S::Table << A::Jump << 2 << 3 << "0" << false << 2 << tJump;
        QTest::newRow("table jump text") << S::Table << A::Jump << 2 << 3 << "abc" << false << 2 << tJump;
        QTest::newRow("table jump too far") << S::Table << A::Jump << 2 << 3 << "4" << false << 2 << tJump;
        QTest::newRow("table jump") << S::Table << A::Jump << 1 << 3 << "3" << true << 3 << "";

        const QString cFirst = QStringLiteral("当前已经是第一页了");
        const QString cLast = QStringLiteral("当前已经是最后一页了");
        const QString cBeyond = QStringLiteral("超出最大页数！");
        QTest::newRow("card previous on 1") << S::Card << A::Previous << 1 << 3 << "" << false << 1 << cFirst;
        QTest::newRow("card next on last") << S::Card << A::Next << 3 << 3 << "" << false << 3 << cLast;
        QTest::newRow("card << on 4 goes to 1") << S::Card << A::BackTen << 4 << 5 << "" << true << 1 << "";
        QTest::newRow("card << on 14") << S::Card << A::BackTen << 14 << 20 << "" << true << 4 << "";
        QTest::newRow("card << on 1") << S::Card << A::BackTen << 1 << 5 << "" << false << 1 << cFirst;
        QTest::newRow("card >> beyond") << S::Card << A::ForwardTen << 1 << 3 << "" << false << 1 << cBeyond;
        QTest::newRow("card jump beyond keeps page") << S::Card << A::Jump << 2 << 3 << "9" << false << 2 << cBeyond;
        QTest::newRow("card jump 0 means 1") << S::Card << A::Jump << 2 << 3 << "0" << true << 1 << "";
    }

    void rules()
    {
        QFETCH(PagingRules::Style, style);
        QFETCH(PagingRules::Action, action);
        QFETCH(int, page);
        QFETCH(int, count);
        QFETCH(QString, jump);
        QFETCH(bool, request);
        QFETCH(int, newPage);
        QFETCH(QString, alert);
        const PagingRules::Step step = PagingRules::decide(style, action, page, count, jump);
        QCOMPARE(step.request, request);
        QCOMPARE(step.pageIndex, newPage);
        QCOMPARE(step.alert, alert);
    }

    void pageCount_data()
    {
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("count");
        QTest::newRow("41 by 20") << 41 << 20 << 3;
        QTest::newRow("40 by 20") << 40 << 20 << 2;
        QTest::newRow("11 by 5") << 11 << 5 << 3;
        QTest::newRow("none") << 0 << 20 << 0;
    }

    void pageCount()
    {
        QFETCH(int, total);
        QFETCH(int, size);
        QFETCH(int, count);
        QCOMPARE(PagingRules::pageCountFor(total, size), count);
    }

    // Clicked as a user would: 41 rows, forward to the last page, then past it.
    void clickingThroughPages()
    {
        PagingBar bar;
        bar.show();
        bar.setPageSize(20);
        bar.setTotal(41);
        QCOMPARE(bar.findChild<QLabel*>(QStringLiteral("label_pageInfo"))->text(), QStringLiteral("条，共3页，共计41条，当前第"));
        QCOMPARE(bar.findChild<QLineEdit*>(QStringLiteral("lineEdit_pageSize"))->text(), QStringLiteral("20"));
        QSignalSpy requested(&bar, &PagingBar::pageRequested);

        auto click = [&bar](const char* name) {
            QTest::mouseClick(bar.findChild<QPushButton*>(QString::fromLatin1(name)), Qt::LeftButton);
        };
        click("pushButton_next");
        click("pushButton_next");
        QCOMPARE(requested.size(), 2);
        QCOMPARE(requested.last().first().toInt(), 3);
        QCOMPARE(bar.findChild<QLineEdit*>(QStringLiteral("lineEdit_currentPage"))->text(), QStringLiteral("3"));

        click("pushButton_next");
        QVERIFY(AlertProbe::waitForAlertContaining(QStringLiteral("亲，当前已是最后一页无法再翻到下一页了！")));
        QCOMPARE(requested.size(), 2);
        QCOMPARE(bar.pageIndex(), 3);
        AlertProbe::closeAll();

        QLineEdit* box = bar.findChild<QLineEdit*>(QStringLiteral("lineEdit_currentPage"));
        box->clear();
        QTest::keyClicks(box, QStringLiteral("2"));
        click("pushButton_jump");
        QCOMPARE(requested.size(), 3);
        QCOMPARE(bar.pageIndex(), 2);
    }
};

QTEST_MAIN(TestPagingBar)
#include "tst_pagingbar.moc"
