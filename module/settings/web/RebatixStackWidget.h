#ifndef REBATIXSTACKWIDGET_H
#define REBATIXSTACKWIDGET_H

#include <QList>
#include <QString>
#include <QVariantMap>
#include <QWidget>

class CefBrowserStackWidget;
class QLabel;
class QStackedWidget;

// The agency's commission-rebate business as five web pages of the site host, each built once when
// it is first shown.
class RebatixStackWidget : public QWidget
{
    Q_OBJECT
public:
    static constexpr int PageCount = 5;

    explicit RebatixStackWidget(QWidget* parent = nullptr);

    // The address of sub-page n (1 to 5) for a user record and the session's headers, every value
    // encoded.
    static QString pageUrl(int n, const QVariantMap& user, const QVariantMap& headers);
    CefBrowserStackWidget* browser(int n) const { return m_browsers.value(n - 1); }
    QList<QLabel*> labels() const { return m_labels; }
    int currentItem() const { return m_current; }

public slots:
    void showItem(int n);
    void refreshMap(CefBrowserStackWidget* web, QString url);
    void runJs(CefBrowserStackWidget* web, QString js);
    void webJs(QString js);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static void receiveMessage(QString message, void* context);

    QStackedWidget* m_stack = nullptr;
    QList<QLabel*> m_labels;
    QList<CefBrowserStackWidget*> m_browsers;
    QList<int> m_stackPages;
    int m_current = 0;
};

#endif // REBATIXSTACKWIDGET_H
