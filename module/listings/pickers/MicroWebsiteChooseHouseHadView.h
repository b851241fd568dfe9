#ifndef MICROWEBSITECHOOSEHOUSEHADVIEW_H
#define MICROWEBSITECHOOSEHOUSEHADVIEW_H

#include <QWidget>

class QPushButton;

// One chosen house in the picker's right column: its text and a delete button.
class MicroWebsiteChooseHouseHadView : public QWidget
{
    Q_OBJECT
public:
    explicit MicroWebsiteChooseHouseHadView(const QString& text, QWidget* parent = nullptr);

    QString text() const { return m_text; }
    QPushButton* deleteButton() const { return m_delete; }

signals:
    void deleteItem();

private:
    QString m_text;
    QPushButton* m_delete = nullptr;
};

#endif // MICROWEBSITECHOOSEHOUSEHADVIEW_H
