#ifndef SALEORRENTPUTUPCHOOSEWIDGET_H
#define SALEORRENTPUTUPCHOOSEWIDGET_H

#include <QJsonValue>
#include <QList>
#include <QString>
#include <QVariantMap>
#include <QWidget>

class CustomListWidget;
class ListPager;
class QLineEdit;
class QListWidgetItem;

// Chooses one item an advert links to: a configurable list (endpoint, fixed parameters, search
// parameter, shown key) paged by "more" at its end, under fixed first entries such as the list
// page itself.
class SaleOrRentPutUpChooseWidget : public QWidget
{
    Q_OBJECT
public:
    struct Config
    {
        QString url;
        QVariantMap fixedParams;
        QString searchParam = QStringLiteral("key");
        QString placeholder = QStringLiteral("请输入搜索");
        // Rows per page ("pagesize"; 0: 20).
        int pageSize = 0;
        // The "lianmai" value sent: 0 asks for the agency's own items, not the joint-sale pool.
        int lianmai = 0;
        QString shownKey = QStringLiteral("name");
        // Entry text: "[w]key[w]" stands for the entry's value of key; "[cp]" separates
        // alternatives, the first whose values are all present wins. Empty: "[w]<shownKey>[w]".
        QString textTemplate;
        QList<QVariantMap> firstEntries;
    };

    // The key under which a chosen entry carries the text it was shown with.
    static const QString ShownTextKey;

    explicit SaleOrRentPutUpChooseWidget(QWidget* parent = nullptr);

    void setConfig(const Config& config);
    Config config() const { return m_config; }
    // The request of a page: the fixed parameters, "pageindex", "pagesize", "lianmai" and the search key.
    static QVariantMap requestParams(const Config& config, int pageIndex, const QString& key);
    // The text of an entry by the template (see Config::textTemplate).
    static QString dealTxt(QString txt, QVariantMap obj);

    // The entries listed, fixed first ones included, each with its shown text under ShownTextKey.
    QList<QVariantMap> entries() const { return m_entries; }
    CustomListWidget* list() const { return m_list; }
    QLineEdit* searchBox() const { return m_search; }
    ListPager* pager() const { return m_pager; }

public slots:
    void nextPage();
    void keySearch(QString key);
    void downloadHouse();
    void deal_houseData(QJsonValue value);
    void deal_houseData_2(QJsonValue value);
    void showHouseList();
    void addHouseList(QList<QVariantMap> list);
    // Chooses the listed entry at this position.
    void chooseEntry(int index);

signals:
    void chooseHouse(QVariantMap model);
    // A reply's entries are on screen.
    void listShown();

private:
    QList<QVariantMap> readEntries(const QJsonValue& value);
    void addRows(const QList<QVariantMap>& entries);

    Config m_config;
    QString m_key;
    QLineEdit* m_search = nullptr;
    CustomListWidget* m_list = nullptr;
    ListPager* m_pager = nullptr;
    QList<QVariantMap> m_entries;
    bool m_lastPageReached = false;
};

#endif // SALEORRENTPUTUPCHOOSEWIDGET_H
