#include "support/ui/CardPageFixture.h"

#include "support/service/ReferenceService.h"
#include "support/service/ScriptedHttpServer.h"
#include "support/ui/InputProbe.h"
#include "support/ui/LocalStoreFixture.h"

#include "DataCenter.h"

#include <QComboBox>
#include <QJsonObject>
#include <QLineEdit>
#include <QTest>

CardPageFixture::CardPageFixture() = default;

CardPageFixture::~CardPageFixture() = default;

ReferenceService* CardPageFixture::startService(const QString& phone, const QVariantMap& userChanges)
{
    m_service = std::make_unique<ReferenceService>();
    if (!m_service->isRunning()) {
        qWarning("%s", qPrintable(m_service->errorString()));
        return nullptr;
    }
    m_service->useAsBaseAddresses();
    DataCenter::HttpHeadMap = m_service->login(phone);
    if (DataCenter::HttpHeadMap.isEmpty())
        return nullptr;
    QVariantMap user = m_service->lastLoginData().value(QStringLiteral("user")).toObject().toVariantMap();
    for (auto it = userChanges.cbegin(); it != userChanges.cend(); ++it)
        user.insert(it.key(), it.value());
    LocalStoreFixture::storeUser(phone, true, {}, user);
    return QTest::currentTestFailed() ? nullptr : m_service.get();
}

ScriptedHttpServer* CardPageFixture::startCannedServer(const QString& phone)
{
    m_server = std::make_unique<ScriptedHttpServer>();
    if (!m_server->start())
        return nullptr;
    m_server->useAsApiBase();
    LocalStoreFixture::storeUser(phone, true, {});
    return QTest::currentTestFailed() ? nullptr : m_server.get();
}

bool CardPageFixture::waitForList(int timeoutMs)
{
    if (!m_shown || !QTest::qWaitFor([this] { return m_shown->count() > m_listsSeen; }, timeoutMs))
        return false;
    m_listsSeen = m_shown->count();
    return true;
}

int CardPageFixture::listsNotWaitedFor() const
{
    return m_shown ? m_shown->count() - m_listsSeen : 0;
}

bool CardPageFixture::fillSharedFilters(const CardListPage* page, const QString& status, const QString& name,
                                        const QString& low, const QString& high)
{
    if (!status.isEmpty()
        && !InputProbe::chooseEntry(page->findChild<QComboBox*>(QStringLiteral("comboBox_shangJia")), status))
        return false;
    InputProbe::commitText(page->findChild<QLineEdit*>(QStringLiteral("lineEdit_name")), name);
    QTest::keyClicks(page->findChild<QLineEdit*>(QStringLiteral("lineEdit_priceDown")), low);
    QTest::keyClicks(page->findChild<QLineEdit*>(QStringLiteral("lineEdit_priceUp")), high);
    return true;
}
