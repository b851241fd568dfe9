#ifndef CEFWEBWIDGET_H
#define CEFWEBWIDGET_H

#include <QDialog>
#include <QPointer>
#include <QString>

class CefBrowserStackWidget;

// A dialog showing one web page of the site host through the host's browser library; every text
// the page sends to the desktop comes out as backJs(). Deletes itself when closed. Without the
// library it stays empty and says nothing.
class CefWebWidget : public QDialog
{
    Q_OBJECT
public:
    explicit CefWebWidget(const QString& url, QWidget* parent = nullptr);

    void setTitle(const QString& title);
    QString url() const { return m_url; }
    // The library's browser, null when there is none.
    CefBrowserStackWidget* handle() const { return m_handle; }
    // Where the browser is placed.
    QWidget* contentArea() const { return m_content; }

    // Runs a script in the page; false when there is no browser.
    bool runJs(const QString& script);

    // The size given before showing is the most the dialog takes: it opens within its screen.
    void setVisible(bool visible) override;

signals:
    void backJs(QString js);

private:
    static void receiveMessage(QString message, void* context);

    QString m_url;
    QPointer<QWidget> m_content;
    CefBrowserStackWidget* m_handle = nullptr;
    // A closed dialog waits for its deletion; texts from its page no longer count.
    bool m_finished = false;
};

#endif // CEFWEBWIDGET_H
