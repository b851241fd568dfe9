#ifndef DETAILDIALOG_H
#define DETAILDIALOG_H

#include "DetailField.h"

#include <QDialog>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QMap>
#include <QVariant>

class SiblingServiceClient;
class QLabel;
class QNetworkAccessManager;
class QNetworkReply;
class QPushButton;

// A component's detail window: one record read from the service, its picture and its lines, with
// "上一个" and "下一个" through the ids of the page that opened it. It does not block the caller,
// is found by the object name of its spec, deletes itself when closed, and a component keeps at
// most one: opening another record shows it in the window already open.
class DetailDialog : public QDialog
{
    Q_OBJECT
public:
    struct Spec
    {
        QString objectName;
        QString title;
        QString path;       // the detail endpoint, relative to the API base, answering "id"
        QString nameKey;    // the record's name, shown as the heading
        QString pictureKey; // the record's picture address
        QList<DetailField> fields;
    };

    // Shows currentId in the spec's window; ids are the page's ids in their order (currentId is
    // added when the list does not hold it).
    static DetailDialog* open(const Spec& spec, const QList<qint64>& ids, qint64 currentId);

    // A record as callers pass it: a map holding its "id", or the id itself.
    static qint64 idOf(const QVariant& record);
    // The positive ids of a list of ids; none when it is not a list.
    static QList<qint64> idsOf(const QVariant& list);

    qint64 currentId() const;
    QList<qint64> ids() const { return m_ids; }
    // The shown text of a field, by key.
    QString valueText(const QString& key) const;
    QString heading() const;
    QString statusText() const;

public slots:
    void showPrevious();
    void showNext();

signals:
    void recordShown(qint64 id);

private:
    explicit DetailDialog(const Spec& spec, QWidget* parent);

    void setRecords(const QList<qint64>& ids, qint64 currentId);
    void load();
    void dealLoaded(const QJsonValue& reply);
    void dealFailed(const QString& message);
    void loadPicture(const QString& address);
    void dealPicture(QNetworkReply* reply);
    void updateNavigation();

    Spec m_spec;
    QList<qint64> m_ids;
    int m_index = 0;
    SiblingServiceClient* m_client;
    QNetworkAccessManager* m_pictures;
    QNetworkReply* m_pictureReply = nullptr;
    QLabel* m_heading;
    QLabel* m_picture;
    QLabel* m_status;
    QLabel* m_position;
    QPushButton* m_previous;
    QPushButton* m_next;
    QMap<QString, QLabel*> m_values;
};

#endif // DETAILDIALOG_H
