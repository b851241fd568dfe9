#include "support/service/EngineTestMain.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/service/TestEnvironment.h"

#include "ShellLanguage.h"

#include <QApplication>
#include <QLibrary>
#include <QtTest>

class CefBrowserStackWidget;

namespace {

using MessageCallback = void (*)(QString message, void* context);
using InsertOnlyWeb = CefBrowserStackWidget* (*)(QString url, QWidget* holder, void* slot, MessageCallback callback,
                                                 void* context);

QStringList& received()
{
    static QStringList list;
    return list;
}

void receive(QString message, void*)
{
    received().append(message);
}

const int kEngineTimeoutMs = 60000;

} // namespace

// The web pages the shell shows (the news editors' file fields, date pickers, context menus) take
// their own texts from the engine's language, which follows the shell's.
class TestWebLanguage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        KQ_SKIP_WITHOUT_ENGINE();
        TestEnvironment::isolate();
        // As the shell's main() does, before any page is made.
        QVERIFY(ShellLanguage::apply());
        QVERIFY(m_server.start());
    }

    void pagesRunInChinese()
    {
        QLibrary library(QStringLiteral(KQ_BIN_DIR "/kq_cefview"));
        QVERIFY2(library.load(), qPrintable(library.errorString()));
        auto insert = reinterpret_cast<InsertOnlyWeb>(library.resolve("insertOnlyWeb"));
        QVERIFY(insert);
        m_server.setReply(
            QStringLiteral("/form"),
            ScriptedHttpServer::contentReply(
                "text/html; charset=utf-8",
                QByteArrayLiteral("<!doctype html><html><head><meta charset=\"utf-8\"></head><body>"
                                  "<input type=\"file\"><script>"
                                  "new QWebChannel(qt.webChannelTransport, function (channel) {"
                                  " channel.objects.desktop.postMessage(navigator.language);"
                                  "});</script></body></html>")));
        QWidget holder;
        holder.resize(640, 480);
        holder.show();
        QVERIFY(insert(m_server.url(QStringLiteral("/form")), &holder, &holder, &receive, nullptr));
        QTRY_VERIFY_WITH_TIMEOUT(!received().isEmpty(), kEngineTimeoutMs);
        // The language the engine takes its own texts in ("选择文件", "未选择任何文件"); Qt hands it
        // on as "zh", which the engine reads as Simplified Chinese.
        QCOMPARE(received().first(), QStringLiteral("zh"));
    }

private:
    ScriptedHttpServer m_server;
};

KQ_ENGINE_TEST_MAIN(TestWebLanguage)
#include "tst_weblanguage.moc"
