#include "net/http/JsonValues.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

class TestJsonValues : public QObject
{
    Q_OBJECT

private slots:
    void toBool_data();
    void toBool();
};

void TestJsonValues::toBool_data()
{
    // The flag as the service writes it, inside {"flag": ...}; missing when empty.
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("expected");

    QTest::newRow("true") << QByteArray("true") << true;
    QTest::newRow("false") << QByteArray("false") << false;
    QTest::newRow("1") << QByteArray("1") << true;
    QTest::newRow("0") << QByteArray("0") << false;
    QTest::newRow("1.0") << QByteArray("1.0") << true;
    QTest::newRow("text true") << QByteArray("\"true\"") << true;
    QTest::newRow("text True, padded") << QByteArray("\" True \"") << true;
    QTest::newRow("text TRUE") << QByteArray("\"TRUE\"") << true;
    QTest::newRow("text false") << QByteArray("\"false\"") << false;
    QTest::newRow("text FALSE, padded") << QByteArray("\"  FALSE\"") << false;
    QTest::newRow("text 1") << QByteArray("\"1\"") << true;
    QTest::newRow("text 1, padded") << QByteArray("\" 1 \"") << true;
    QTest::newRow("text 0") << QByteArray("\"0\"") << false;
    QTest::newRow("empty text") << QByteArray("\"\"") << false;
    QTest::newRow("other text") << QByteArray("\"yes please\"") << false;
    QTest::newRow("null") << QByteArray("null") << false;
    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("object") << QByteArray("{\"a\":1}") << false;
}

void TestJsonValues::toBool()
{
    QFETCH(QByteArray, json);
    QFETCH(bool, expected);

    const QByteArray reply = json.isEmpty() ? QByteArray("{}") : "{\"flag\":" + json + '}';
    QJsonParseError error;
    const QJsonObject object = QJsonDocument::fromJson(reply, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonValue value = object.value(QStringLiteral("flag"));

    QCOMPARE(JsonValues::toBool(value), expected);
    // The same value as a map of the local store or of a converted reply carries it.
    QCOMPARE(JsonValues::toBool(object.toVariantMap().value(QStringLiteral("flag"))), expected);
    QCOMPARE(JsonValues::toBool(QVariant::fromValue(value)), expected);
    if (value.isString())
        QCOMPARE(JsonValues::toBool(value.toString()), expected);
}

QTEST_APPLESS_MAIN(TestJsonValues)
#include "tst_jsonvalues.moc"
