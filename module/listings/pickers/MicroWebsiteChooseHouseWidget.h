#ifndef MICROWEBSITECHOOSEHOUSEWIDGET_H
#define MICROWEBSITECHOOSEHOUSEWIDGET_H

#include <QJsonValue>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariantMap>
#include <QWidget>

class ListPager;
class QCheckBox;
class QLabel;
class QLineEdit;
class QToolButton;
class QVBoxLayout;

// Ticks several houses for a topic: the agency's houses on the site, or for the house-circle
// company its circle, searched by name, number, building, unit and room. Ticks stay across
// searches; the chosen ones stand in the right column.
class MicroWebsiteChooseHouseWidget : public QWidget
{
    Q_OBJECT
public:
    struct ItemData
    {
        int id = 0;
        QString title;
        bool operator==(const ItemData& other) const { return id == other.id; }
    };

    static constexpr int SitePageSize = 15;
    static constexpr int CirclePageSize = 20;

    explicit MicroWebsiteChooseHouseWidget(QWidget* parent = nullptr);

    // Items chosen earlier, shown ticked (an editor that opens the picker again).
    void setChosen(const QList<ItemData>& items);
    QList<ItemData> chosen() const { return m_chosen; }
    QList<ItemData> listed() const { return m_items; }
    // Whether the circle of the company is searched rather than its site listings.
    static bool usesHouseCircle();
    // The search's parameters for the source in use (the boxes' texts in order: name, number,
    // building, unit, room).
    static QVariantMap searchParams(bool circle, const QStringList& boxes);
    static QString itemText(const ItemData& item);

    QLineEdit* searchBox(int index) const { return m_boxes.value(index); }
    QLabel* moreLabel() const { return m_moreLabel; }
    ListPager* pager() const { return m_pager; }

public slots:
    void downloadData();
    void downloadHouseBookData();
    void dealHouseBookHouseData(QJsonValue value);
    void downloadHouseCircleData();
    void dealHouseCircleHouseData(QJsonValue value);
    void showListView();
    bool checkIdIsCheck(int id) const;
    void showRightView();

signals:
    void closeWidget();
    void backChooose(QList<MicroWebsiteChooseHouseWidget::ItemData> list);
    // A reply's houses are on screen.
    void listShown();

private:
    void dealReply(const QJsonValue& value);
    void setTicked(const ItemData& item, bool ticked);
    QStringList boxTexts() const;

    QList<QLineEdit*> m_boxes;
    QWidget* m_leftList = nullptr;
    QVBoxLayout* m_leftLayout = nullptr;
    QWidget* m_rightList = nullptr;
    QVBoxLayout* m_rightLayout = nullptr;
    QCheckBox* m_allBox = nullptr;
    QLabel* m_moreLabel = nullptr;
    QToolButton* m_sure = nullptr;
    QToolButton* m_cancel = nullptr;
    ListPager* m_pager = nullptr;
    QList<ItemData> m_items;
    QList<ItemData> m_chosen;
};

Q_DECLARE_METATYPE(MicroWebsiteChooseHouseWidget::ItemData)

#endif // MICROWEBSITECHOOSEHOUSEWIDGET_H
