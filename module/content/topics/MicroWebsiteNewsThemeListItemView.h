#ifndef MICROWEBSITENEWSTHEMELISTITEMVIEW_H
#define MICROWEBSITENEWSTHEMELISTITEMVIEW_H

#include <QVariantMap>
#include <QWidget>

class QLineEdit;
class QPushButton;

// One topic in the list: icon, titles, linked houses, visitors, time, and its sort value, which
// can be changed in place.
class MicroWebsiteNewsThemeListItemView : public QWidget
{
    Q_OBJECT
public:
    explicit MicroWebsiteNewsThemeListItemView(const QVariantMap& row, QWidget* parent = nullptr);

    QVariantMap row() const { return m_row; }
    // The houses a topic links, from its "houseid" JSON text; invalid text links none.
    static QList<QVariantMap> linkedHouses(const QVariantMap& row);
    QLineEdit* sortEdit() const { return m_sort; }
    QString houseCountText() const;
    // The value sent could not be saved: the box shows the stored one again.
    void restoreSort();

signals:
    void editItem();
    void deleteItem();
    void changeSort(QString value);

private:
    void commitSort();

    QVariantMap m_row;
    QLineEdit* m_sort = nullptr;
    QString m_storedSort;
    QString m_sentSort; // sent and not yet answered, so that Return and leaving the box send it once
};

#endif // MICROWEBSITENEWSTHEMELISTITEMVIEW_H
