#ifndef APPLICATIONITEMCHOOSEVIEW_H
#define APPLICATIONITEMCHOOSEVIEW_H

#include <QList>
#include <QStringList>
#include <QVariantMap>
#include <QWidget>

class ChoosePeople_Item;
class QPushButton;

// A flow of removable chips, each described by a map (its text under "title" unless told
// otherwise), wrapping to as many lines as they need, with an optional add button at the end.
class ApplicationItemChooseView : public QWidget
{
    Q_OBJECT
public:
    explicit ApplicationItemChooseView(QWidget* parent = nullptr);

    void setTextKey(const QString& key) { m_textKey = key; }
    // Shows an add button after the chips; its clicks come out as addClick().
    void setAddButtonText(const QString& text);
    void addItemMap(const QVariantMap& map);
    QList<QVariantMap> itemMaps() const;
    // The chips' texts in order.
    QStringList itemTexts() const;
    QList<ChoosePeople_Item*> chips() const { return m_chips; }

    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

public slots:
    void click();
    void modifyItem();
    // Removes the chip at this position.
    void deleteItem(int id);
    // Removes the first chip whose map equals this one.
    void deleteItemMap(const QVariantMap& map);
    // Replaces every chip by the items; `column` names the key of their text (0 "title", 1 "name").
    void setHouseBookItem(const QList<QVariantMap>& list, int column);
    // Replaces every chip by one per text.
    void setAddHousePeiTao(const QStringList& texts);
    void insertHouseBookItemMap(QVariantMap map);

signals:
    void appChange();
    void heightChange(int widget_height);
    void addClick();
    void itemModify(QVariantMap map);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void clearChips();
    // Places the chips for the width; returns the height they take.
    int place(int width, bool move) const;
    void relayout();

    QList<ChoosePeople_Item*> m_chips;
    QPushButton* m_addButton = nullptr;
    QString m_textKey = QStringLiteral("title");
    int m_lastHeight = -1;
};

#endif // APPLICATIONITEMCHOOSEVIEW_H
