#ifndef SHOWADSWIDGET_H
#define SHOWADSWIDGET_H

#include <QList>
#include <QPointer>
#include <QWidget>

class QLabel;
class QPushButton;
class QScrollArea;
class QTimer;

// A horizontal carousel: items side by side, each as wide as the carousel divided by the items per
// page, stepping forward on a timer and back to the start after the last one. Without items it
// shows its placeholder text.
class ShowAdsWidget : public QWidget
{
    Q_OBJECT
public:
    explicit ShowAdsWidget(QWidget* parent = nullptr);

    // The carousel takes the widgets over; earlier items are released.
    void setItems(const QList<QWidget*>& items);
    QList<QWidget*> items() const { return m_items; }
    void setItemsPerPage(int count);
    void setArrowsVisible(bool visible);
    void setPlaceholderText(const QString& text);
    // Steps forward every `ms` milliseconds; 0 stops.
    void startRotation(int ms);

    // Index of the first item shown.
    int currentIndex() const;
    QString pageText() const;

public slots:
    void last();
    void next();
    void scrollValueChangeDeal(int value);

signals:
    void click(int index);
    void rightClick(QWidget* item);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int step() const;
    void layoutItems();
    void updatePage();

    QScrollArea* m_area = nullptr;
    QWidget* m_strip = nullptr;
    QLabel* m_placeholder = nullptr;
    QLabel* m_pageLabel = nullptr;
    QPushButton* m_lastButton = nullptr;
    QPushButton* m_nextButton = nullptr;
    QTimer* m_timer = nullptr;
    QList<QWidget*> m_items;
    int m_perPage = 1;
};

#endif // SHOWADSWIDGET_H
