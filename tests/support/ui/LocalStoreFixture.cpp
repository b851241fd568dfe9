#include "support/ui/LocalStoreFixture.h"

#include "support/service/ReferenceService.h"

#include "DataCenter.h"
#include "HostLogin.h"
#include "LocalDatabase.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QUrl>

QVariantMap LocalStoreFixture::right(int id, bool selected, int range, const QVariantList& bumens)
{
    return {{QStringLiteral("id"), id}, {QStringLiteral("selected"), selected}, {QStringLiteral("range"), range},
            {QStringLiteral("bumens"), bumens}, {QStringLiteral("hideData"), 0}, {QStringLiteral("count"), 0},
            {QStringLiteral("sons"), QVariantList()}};
}

QVariantMap LocalStoreFixture::dept(const QString& id, const QString& name, bool withDown)
{
    return {{QStringLiteral("dept_id"), id}, {QStringLiteral("dept_name"), name}, {QStringLiteral("with_down"), withDown}};
}

void LocalStoreFixture::storeUser(const QString& phone, bool manager, const QVariantList& rights,
                                  const QVariantMap& extraInit, const QVariantList& companyDepartments)
{
    QVariantMap init = extraInit;
    init.insert(QStringLiteral("phone"), phone);
    init.insert(QStringLiteral("userinfo"), QVariantMap{{QStringLiteral("ismanager"), manager ? 1 : 0},
                                                        {QStringLiteral("isindependent"), 0}});
    const QVariantList groups{QVariantMap{{QStringLiteral("id"), 1}, {QStringLiteral("name"), QStringLiteral("微官网")},
                                          {QStringLiteral("content"), rights}}};
    const auto json = [](const QVariant& v) {
        return QString::fromUtf8(QJsonDocument::fromVariant(v).toJson(QJsonDocument::Compact));
    };
    QVERIFY(LocalDatabase::writeUser(phone, json(init), json(groups), json(companyDepartments)));
    loginAs(phone, manager);
}

void LocalStoreFixture::loginAs(const QString& phone, bool manager)
{
    DataCenter::UserPhoneNumber = phone;
    DataCenter::isManager = manager;
}

bool LocalStoreFixture::loginAtService(ReferenceService& service, const QString& phone)
{
    service.useAsBaseAddresses();
    if (service.login(phone).isEmpty())
        return false;
    return HostLogin::apply(phone, service.lastLoginData());
}

void LocalStoreFixture::clearDrafts()
{
    const QDir users = QFileInfo(LocalDatabase::databasePath(QStringLiteral("x"))).absoluteDir();
    for (const QFileInfo& file : users.entryInfoList({QStringLiteral("*.sqlite")}, QDir::Files)) {
        const QString phone = QUrl::fromPercentEncoding(file.completeBaseName().toLatin1());
        QSqlDatabase db;
        if (!LocalDatabase::open(QStringLiteral("kq_test_drafts"), phone, &db))
            continue;
        if (db.tables().contains(QStringLiteral("editor_drafts")))
            QSqlQuery(db).exec(QStringLiteral("delete from editor_drafts"));
    }
}
