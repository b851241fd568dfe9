#ifndef ALERTWIDGET_H
#define ALERTWIDGET_H

#include <QDialog>
#include <QPoint>
#include <QPointer>
#include <QScopedPointer>

class QTimer;

namespace Ui {
class AlertWidget;
}

// Modal message dialog with an icon and either an acknowledge button or confirm and cancel.
// Created with new and never kept: it deletes itself when closed. showMessage() returns at once
// and the dialog becomes modal 100 ms later, so callers may still connect to its signals.
class AlertWidget : public QDialog
{
    Q_OBJECT
public:
    enum Type { Warning = 0, Error = 1, Tip = 2 };
    enum Mode { KnowOnly = 0, SureCancel = 1, AllButtons = 2 };

    explicit AlertWidget(QWidget* parent = nullptr);
    ~AlertWidget() override;

    void showMessage(const QString& text, int type, int mode);
    void setSureButton(const QString& text, const QString& styleSheet = QString());
    void setCancelButton(const QString& text);
    // Shows the check box with this text; its state travels with every button signal.
    void setCheckText(const QString& text, bool checked = false);

    bool autoClose() const { return m_autoClose; }
    void setAutoClose(bool autoClose) { m_autoClose = autoClose; }

    QString title() const;
    QString message() const;

    // windowName names the window the caller speaks for; the dialog is not attached to it.
    static AlertWidget* showWarning(const QString& text, const QString& windowName = QStringLiteral("main"));
    static AlertWidget* showError(const QString& text, const QString& windowName = QStringLiteral("main"));
    static AlertWidget* showTip(const QString& text, const QString& windowName = QStringLiteral("main"));

    // A question with confirm and cancel ("确定" or sureText), over the named window. Callers
    // connect sureClick / cancleClick to the returned dialog.
    static AlertWidget* askConfirm(const QString& text, int type = Tip, const QString& sureText = QString(),
                                   const QString& windowName = QStringLiteral("main"));
    // Centres the dialog over the first window registered under the name when it shows.
    void setAnchorWindow(const QString& windowName);

    // Test seam: when disabled, the dialog opens application-modal without a nested event loop,
    // so headless tests can find it and click it.
    static void setModalLoopEnabled(bool enabled);
    static bool modalLoopEnabled();

signals:
    void knowClick(bool checked);
    void sureClick(bool checked);
    void cancleClick(bool checked);
    void hasClosed();

public slots:
    void closeWidget();
    void reject() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    static AlertWidget* create(const QString& text, int type, const QString& windowName);
    void keepButtons(int mode);
    void onButton(void (AlertWidget::*signal)(bool));
    void openDeferred();

    QScopedPointer<Ui::AlertWidget> ui;
    bool m_autoClose = true;
    bool m_dragging = false;
    QPoint m_dragOffset;
    QPoint m_pressGlobal;
    QPointer<QTimer> m_showTimer;
    // The window the caller speaks for; the dialog opens centred over it but is not its child.
    QPointer<QWidget> m_anchor;
    bool m_inModalLoop = false;
    bool m_closed = false;
    bool m_connected = false;
};

#endif // ALERTWIDGET_H
