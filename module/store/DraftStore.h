#ifndef DRAFTSTORE_H
#define DRAFTSTORE_H

#include "store/BaseSqlObject.h"

#include <QDateTime>
#include <QJsonObject>

// What an editor held when it was left unsaved, kept in the current user's local store, one draft
// per user, editor and record. A write is one transaction, so a process killed while writing
// leaves the earlier draft or the new one, and a row that does not match its checksum reads as no
// draft.
class DraftStore : public BaseSqlObject
{
    Q_OBJECT
public:
    struct Draft
    {
        bool found = false;
        QJsonObject fields;
        QDateTime savedAt; // UTC
    };

    // Drafts older than this are dropped when drafts are next read.
    static constexpr int kKeepDays = 30;

    explicit DraftStore(QObject* parent = nullptr);

    bool write(const QString& editor, const QString& record, const QJsonObject& fields,
               const QDateTime& savedAt = QDateTime::currentDateTimeUtc());
    Draft read(const QString& editor, const QString& record, const QDateTime& now = QDateTime::currentDateTimeUtc());
    bool remove(const QString& editor, const QString& record);

    // The user a draft belongs to: the company and the phone the host logged in with.
    static QString currentUser();

private:
    bool ensureTable();
    void dropExpired(const QDateTime& now);

    bool m_tableReady = false;
};

#endif // DRAFTSTORE_H
