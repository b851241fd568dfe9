#include "net/http/FormBody.h"

#include <QDate>
#include <QtTest>
#include <QUrlQuery>

class TestFormBody : public QObject
{
    Q_OBJECT

private slots:
    void fromMapTypes_data();
    void fromMapTypes();
    void keepsInsertionOrder();
    void valuesSurviveDecoding_data();
    void valuesSurviveDecoding();
    void appendedToAddress_data();
    void appendedToAddress();
};

void TestFormBody::fromMapTypes_data()
{
    QTest::addColumn<QVariantMap>("map");
    QTest::addColumn<QString>("expected");

    QVariantMap example;
    example.insert(QStringLiteral("n"), 3);
    example.insert(QStringLiteral("f"), 0.5);
    example.insert(QStringLiteral("b"), true);
    example.insert(QStringLiteral("a"), QStringLiteral("x y"));
    // Pieces come in key order whatever the insertion order; the blank is encoded.
    QTest::newRow("string bool double int") << example << QStringLiteral("a=x%20y&b=1&f=0.5&n=3");

    QVariantMap numbers;
    numbers.insert(QStringLiteral("big"), qlonglong(9007199254740993LL));
    numbers.insert(QStringLiteral("false"), false);
    numbers.insert(QStringLiteral("neg"), -12);
    numbers.insert(QStringLiteral("round"), 3.0);
    numbers.insert(QStringLiteral("tiny"), 1e-7);
    QTest::newRow("number forms") << numbers
                                  << QStringLiteral("big=9007199254740993&false=0&neg=-12&round=3&tiny=1e-07");

    QVariantMap others;
    others.insert(QStringLiteral("date"), QDate(2024, 1, 2));
    others.insert(QStringLiteral("empty"), QString());
    others.insert(QStringLiteral("list"), QVariantList{1, 2});
    others.insert(QStringLiteral("map"), QVariantMap{{QStringLiteral("k"), 1}});
    others.insert(QStringLiteral("null"), QVariant());
    QTest::newRow("other types left out") << others << QStringLiteral("empty=");

    QTest::newRow("empty map") << QVariantMap() << QString();
}

void TestFormBody::fromMapTypes()
{
    QFETCH(QVariantMap, map);
    QFETCH(QString, expected);
    const FormBody form = FormBody::fromMap(map);
    QCOMPARE(form.toString(), expected);
    QCOMPARE(form.toByteArray(), expected.toLatin1());
}

void TestFormBody::keepsInsertionOrder()
{
    FormBody form;
    form.add(QStringLiteral("type"), 2)
        .add(QStringLiteral("pagesize"), 20)
        .add(QStringLiteral("keyword"), QStringLiteral("花园"))
        .add(QStringLiteral("type"), QStringLiteral("again"));
    QCOMPARE(form.size(), 4);
    QCOMPARE(form.toString(), QStringLiteral("type=2&pagesize=20&keyword=%E8%8A%B1%E5%9B%AD&type=again"));
}

void TestFormBody::valuesSurviveDecoding_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    QTest::newRow("chinese") << QStringLiteral("title") << QStringLiteral("阳光花园 3室2厅");
    QTest::newRow("delimiters") << QStringLiteral("q") << QStringLiteral("a&b=c+d%20e#f");
    QTest::newRow("percent sequences") << QStringLiteral("p") << QStringLiteral("100%25%E4%B8%AD");
    QTest::newRow("blank and plus") << QStringLiteral("s") << QStringLiteral(" + ");
    QTest::newRow("key with delimiters") << QStringLiteral("k&=#") << QStringLiteral("v");
    QTest::newRow("empty value") << QStringLiteral("e") << QString();
    QTest::newRow("line breaks and quotes") << QStringLiteral("t") << QStringLiteral("a\r\nb\"c'");
}

void TestFormBody::valuesSurviveDecoding()
{
    QFETCH(QString, key);
    QFETCH(QString, value);

    FormBody form;
    form.add(QStringLiteral("before"), 1).add(key, value).add(QStringLiteral("after"), true);
    const QByteArray bytes = form.toByteArray();
    // Nothing but unreserved characters, escapes and the two separators is left in the text.
    for (const char c : bytes) {
        const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        QVERIFY2(alnum || QByteArray("-._~%&=").contains(c), bytes.constData());
    }

    const QUrlQuery query(QString::fromLatin1(bytes));
    const auto items = query.queryItems(QUrl::FullyDecoded);
    QCOMPARE(items.size(), 3);
    QCOMPARE(items.at(0), qMakePair(QStringLiteral("before"), QStringLiteral("1")));
    QCOMPARE(items.at(1).first, key);
    QCOMPARE(items.at(1).second, value);
    QCOMPARE(items.at(2), qMakePair(QStringLiteral("after"), QStringLiteral("1")));
}

void TestFormBody::appendedToAddress_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("withPieces");
    QTest::addColumn<QString>("expected");

    const QString base = QStringLiteral("http://127.0.0.1:8765/api/mtore/appposts");
    QTest::newRow("plain address") << base << true << base + QStringLiteral("?id=7&name=%E5%BC%A0");
    QTest::newRow("address with a query") << base + QStringLiteral("?x=1") << true
                                          << base + QStringLiteral("?x=1&id=7&name=%E5%BC%A0");
    QTest::newRow("empty form") << base << false << base;
}

void TestFormBody::appendedToAddress()
{
    QFETCH(QString, address);
    QFETCH(bool, withPieces);
    QFETCH(QString, expected);

    FormBody form;
    if (withPieces)
        form.add(QStringLiteral("id"), 7).add(QStringLiteral("name"), QStringLiteral("张"));
    QCOMPARE(form.appendedTo(address), expected);
}

QTEST_APPLESS_MAIN(TestFormBody)
#include "tst_formbody.moc"
