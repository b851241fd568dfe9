#ifndef SHELLHOUSEDETAILDIALOG_H
#define SHELLHOUSEDETAILDIALOG_H

#include <QDialog>
#include <QJsonObject>
#include <QList>
#include <QPointer>

class QFormLayout;
class QLabel;
class QNetworkAccessManager;
class QNetworkReply;
class QPushButton;

// The host's answer to "HouseDetail": one house of the agency's house book, fetched from the
// service, with "上一套" and "下一套" stepping through the houses of the page it came from.
class ShellHouseDetailDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ShellHouseDetailDialog(QWidget* parent = nullptr);

    // id is the house-book id of the house clicked (0 for a house that is on the site only);
    // ids those of the page, in order.
    void showHouse(qint64 id, const QList<qint64>& ids);

private:
    void load(qint64 id);
    void dealReply(QNetworkReply* reply, qint64 id);
    void showDetail(const QJsonObject& house);
    void showProblem(const QString& text);
    void step(int delta);
    void updateButtons();

    QNetworkAccessManager* m_network;
    QPointer<QNetworkReply> m_pending;
    QLabel* m_heading;
    QLabel* m_position;
    QWidget* m_fieldsArea;
    QFormLayout* m_fields;
    QLabel* m_remark;
    QLabel* m_problem;
    QPushButton* m_previous;
    QPushButton* m_next;
    QList<qint64> m_ids;
    int m_index = -1;
};

#endif // SHELLHOUSEDETAILDIALOG_H
