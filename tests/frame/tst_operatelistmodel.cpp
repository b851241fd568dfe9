#include "frame/MircroWebsiteOperateList_Model.h"

#include <QJsonDocument>
#include <QtTest>

class TestOperateListModel : public QObject
{
    Q_OBJECT

private slots:
    void showFlagOfTheReply_data();
    void showFlagOfTheReply();
};

void TestOperateListModel::showFlagOfTheReply_data()
{
    // The "show" member of one tile as the service writes it; empty: left out.
    QTest::addColumn<QByteArray>("show");
    QTest::addColumn<bool>("shown");

    QTest::newRow("left out") << QByteArray() << true;
    QTest::newRow("1") << QByteArray("1") << true;
    QTest::newRow("0") << QByteArray("0") << false;
    QTest::newRow("true") << QByteArray("true") << true;
    QTest::newRow("text true") << QByteArray("\"true\"") << true;
    QTest::newRow("text True") << QByteArray("\"True\"") << true;
    QTest::newRow("text false") << QByteArray("\"false\"") << false;
    QTest::newRow("text 0") << QByteArray("\"0\"") << false;
}

void TestOperateListModel::showFlagOfTheReply()
{
    QFETCH(QByteArray, show);
    QFETCH(bool, shown);

    const QByteArray flag = show.isEmpty() ? QByteArray() : "\"show\":" + show + ',';
    const QByteArray reply = "{\"data\":[{" + flag + "\"itemid\":3,\"type\":0,\"title\":\"新房\",\"sort\":2}]}";
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(reply, &error);
    QCOMPARE(error.error, QJsonParseError::NoError);

    MircroWebsiteOperateList_Model model;
    model.parse(document.object());
    QCOMPARE(model.list().size(), 1);
    QCOMPARE(model.list().first().itemid, 3);
    QCOMPARE(model.list().first().show, shown);
}

QTEST_APPLESS_MAIN(TestOperateListModel)
#include "tst_operatelistmodel.moc"
