#ifndef COMMONADDWIDGET_H
#define COMMONADDWIDGET_H

#include <QColor>
#include <QList>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QScopedPointer>
#include <QSize>
#include <QVariantMap>
#include <QWidget>

class QPushButton;

namespace Ui {
class CommonAddWidget;
}

// The frameless popup in which add, edit and settings forms open. It draws its own title bar,
// hosts one content widget, shades its owner window while open, can be dragged by its title bar
// and deletes itself when closed.
class CommonAddWidget : public QWidget
{
    Q_OBJECT
public:
    // windowName: the name under which the owner window is registered with the host.
    // shade: whether setTitle() lays shades at all.
    explicit CommonAddWidget(QWidget* parent = nullptr, const QString& windowName = QStringLiteral("main"),
                             bool shade = true);
    ~CommonAddWidget() override;

    // Does nothing for the title "null". shadeClick: 0 a click on a shade closes the frame,
    // 1 the shade only blocks clicks, other values connect nothing. flag: whether the title bar
    // shows its close button (forms that close themselves may hide it).
    void setTitle(const QString& title, QWidget* shadeOver = nullptr, const QColor& shadeColor = QColor(0, 0, 0, 30),
                  int shadeClick = 1, bool flag = true);

    void setContent(QWidget* content);
    void setContent(int index, QWidget* content);
    QWidget* content() const { return m_content; }

    QString windowName() const { return m_windowName; }
    QColor shadeColor() const { return m_shadeColor; }

    // Fills the title bar's combo box (shown only when there are entries) with each entry's
    // textKey value; choosing one emits boxClick with the entry.
    void setBoxItems(const QList<QVariantMap>& items, const QString& textKey = QStringLiteral("title"));
    QList<QVariantMap> boxItems() const { return m_boxItems; }

    // Shows the title bar's help button with this help text.
    void setHelpTipId(int tipId);
    // Shows the maximise button; it toggles between filling the owner window and the last size.
    void setMaximizable(bool maximizable);

signals:
    // The user closed the frame with its title bar's close button (before it closes).
    void closeExe();
    void hasClose();
    void boxClick(QVariantMap map);

public slots:
    void closeWidget();
    void animate();
    // size is the most the frame takes: on a smaller screen it gets what the screen has room for.
    void changeSize(QSize size);
    // Resizes to at most size, fitted into its owner's screen, and centres over the owner.
    void fitSize(const QSize& size);
    void closeBackShadow();
    void dealComboboxClick(int index);
    void setContentNull();
    void show();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* ownerWindow() const;
    QList<QWidget*> namedWindows() const;
    void layShade(QWidget* window, int shadeClick);
    void centreOverOwner();
    void toggleMaximized();
    void finish();

    QScopedPointer<Ui::CommonAddWidget> ui;
    QPoint dragPosition;
    bool m_dragging = false;
    QPoint m_pressGlobal;
    QString m_windowName;
    QColor m_shadeColor = QColor(0, 0, 0, 30);
    QSize m_baseSize = QSize(400, 300);
    QPointer<QWidget> m_content;
    QList<QPointer<QPushButton>> m_shades;
    QList<QVariantMap> m_boxItems;
    QString m_boxTextKey;
    bool m_shadeEnabled = true;
    bool m_finished = false;
    bool m_maximized = false;
    QRect m_normalGeometry;
    QSize m_normalMaximumSize;
};

#endif // COMMONADDWIDGET_H
