#ifndef ITEMBUTTONWIDGET_H
#define ITEMBUTTONWIDGET_H

#include <QString>
#include <QWidget>

class ImageShowLabel;
class QLabel;

// One app tile (the main page's functions, the style page's apps): its icon over its title. An icon
// starting with ":" is one of the module's own; any other is the service's value.
class ItemButtonWidget : public QWidget
{
    Q_OBJECT
public:
    explicit ItemButtonWidget(QWidget* parent = nullptr);

    // type: 1 for a custom app; it picks the built-in icon when `icon` is empty.
    void setData(int itemId, const QString& title, const QString& icon, int type = 0);
    // The module's own icon of a built-in tile or app.
    static QString builtInIcon(int itemid, int type);
    int itemId() const { return m_itemId; }
    QString title() const { return m_titleText; }
    QString icon() const { return m_iconSource; }

signals:
    void clickItem();
    void rightClickItem();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void setHovered(bool hovered);

    int m_itemId = 0;
    QString m_titleText;
    QString m_iconSource;
    ImageShowLabel* m_icon;
    QLabel* m_title;
};

#endif // ITEMBUTTONWIDGET_H
