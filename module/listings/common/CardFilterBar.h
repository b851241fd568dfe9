#ifndef CARDFILTERBAR_H
#define CARDFILTERBAR_H

#include <QStringList>
#include <QWidget>

class CustomComboBox;
class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QPushButton;

// The filter row above a card list: combo boxes whose first entry means "any", text and amount
// boxes, the put-up state box and the search button, laid out left to right in the order added.
class CardFilterBar : public QWidget
{
    Q_OBJECT
public:
    explicit CardFilterBar(QWidget* parent = nullptr);

    // The first of `entries` stands for "no choice".
    CustomComboBox* addComboBox(const QString& objectName, const QStringList& entries, int width = 120);
    QLineEdit* addLineEdit(const QString& objectName, const QString& placeholder, int width = 140);
    // Two amount boxes ("lower - upper unit") that take only non-negative numbers.
    void addRange(const QString& lowerName, const QString& upperName, const QString& unit, QLineEdit** lower,
                  QLineEdit** upper);
    // "上架状态" (all), "已上架", "未上架" as "comboBox_shangJia".
    CustomComboBox* addStatusBox();
    // "搜索" as "searchButton"; also pressing Enter in any text box of the bar clicks it.
    QPushButton* addSearchButton();

    // The chosen entry's text; empty while the box shows its first entry.
    static QString chosenText(const QComboBox* box);
    // 1 put up, 0 not put up, -1 either (the state box's first entry).
    static int statusValue(const QComboBox* box);
    static QString trimmedText(const QLineEdit* edit);
    // The look of the card pages' combo boxes (bar and cards alike).
    static QString comboBoxStyle();

private:
    QHBoxLayout* m_layout;
    QList<QLineEdit*> m_edits;
    QPushButton* m_search = nullptr;
};

#endif // CARDFILTERBAR_H
