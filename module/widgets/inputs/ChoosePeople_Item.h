#ifndef CHOOSEPEOPLE_ITEM_H
#define CHOOSEPEOPLE_ITEM_H

#include <QVariantMap>
#include <QWidget>

class OmitLabel;
class QPushButton;

// One removable chip: its text elided to the chip's width and a small delete button.
class ChoosePeople_Item : public QWidget
{
    Q_OBJECT
public:
    explicit ChoosePeople_Item(const QVariantMap& map, const QString& textKey, QWidget* parent = nullptr);

    QVariantMap map() const { return m_map; }
    QString text() const;
    QPushButton* deleteButton() const { return m_delete; }

signals:
    void deleteBtnClick();
    void modifyItem();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QVariantMap m_map;
    QString m_textKey;
    OmitLabel* m_label = nullptr;
    QPushButton* m_delete = nullptr;
};

#endif // CHOOSEPEOPLE_ITEM_H
