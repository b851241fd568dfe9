#ifndef MICROWEBSITENEWSLISTITEMVIEW_H
#define MICROWEBSITENEWSLISTITEMVIEW_H

#include <QVariantMap>
#include <QWidget>

class QPushButton;

// One article of the news or encyclopedia list: cover, title, category, source, visitors and time,
// with edit and delete buttons.
class MicroWebsiteNewsListItemView : public QWidget
{
    Q_OBJECT
public:
    explicit MicroWebsiteNewsListItemView(const QVariantMap& row, QWidget* parent = nullptr);

    // The column titles over the rows, laid out as the rows are.
    static QWidget* createHeader(QWidget* parent);

    QVariantMap row() const { return m_row; }
    QPushButton* editButton() const { return m_edit; }
    QPushButton* deleteButton() const { return m_delete; }

signals:
    void editItem();
    void deleteItem();

private:
    QVariantMap m_row;
    QPushButton* m_edit;
    QPushButton* m_delete;
};

#endif // MICROWEBSITENEWSLISTITEMVIEW_H
