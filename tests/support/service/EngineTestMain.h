#ifndef ENGINETESTMAIN_H
#define ENGINETESTMAIN_H

#include <QApplication>
#include <QTest>

// For suites that run the real browser engine (declared with DISPLAY in tests/CMakeLists.txt): it
// needs an X server, and to know before the application starts that it shares its GL contexts.

// In initTestCase(): skips the suite when there is no X server to run the engine on.
#define KQ_SKIP_WITHOUT_ENGINE()                                                                              \
    do {                                                                                                      \
        if (QGuiApplication::platformName() != QLatin1String("xcb"))                                         \
            QSKIP("The browser engine needs an X server: run this test under xvfb-run (its CTest command "    \
                  "does so when xvfb-run is installed).");                                                    \
    } while (false)

#define KQ_ENGINE_TEST_MAIN(TestObject)                                                                       \
    int main(int argc, char* argv[])                                                                          \
    {                                                                                                         \
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);                                           \
        QApplication app(argc, argv);                                                                         \
        TestObject test;                                                                                      \
        QTEST_SET_MAIN_SOURCE_PATH                                                                            \
        return QTest::qExec(&test, argc, argv);                                                               \
    }

#endif // ENGINETESTMAIN_H
