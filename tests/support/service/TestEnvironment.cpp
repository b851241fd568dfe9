#include "support/service/TestEnvironment.h"

#include <QDir>
#include <QTemporaryDir>

void TestEnvironment::isolate()
{
    // Lives until the process ends, and is removed then.
    static QTemporaryDir home(QDir::tempPath() + QStringLiteral("/kq-test-XXXXXX"));
    if (!home.isValid())
        qFatal("No temporary folder for the test's data");
    const QByteArray root = QFile::encodeName(home.path());
    qputenv("XDG_DATA_HOME", root + "/data");
    qputenv("XDG_CACHE_HOME", root + "/cache");
    qputenv("XDG_CONFIG_HOME", root + "/config");
}

namespace {

void (*addressesListener)() = nullptr;

} // namespace

void TestEnvironment::addressesChanged()
{
    if (addressesListener)
        addressesListener();
}

void TestEnvironment::setAddressesListener(void (*listener)())
{
    addressesListener = listener;
}
