#ifndef MICROWEBSITEUSERBROWSINGTRACKWIDGET_H
#define MICROWEBSITEUSERBROWSINGTRACKWIDGET_H

#include <QString>
#include <QWidget>

class CefBrowserStackWidget;
class QStackedWidget;

// What the site's visitors looked at, as a web page of the site host; a click on a visit opens the
// house, project or product in the suite.
class MicroWebsiteUserBrowsingTrackWidget : public QWidget
{
    Q_OBJECT
public:
    explicit MicroWebsiteUserBrowsingTrackWidget(QWidget* parent = nullptr);

    static QString pageUrl();
    CefBrowserStackWidget* browser() const { return m_browser; }
    // The house circle's component; tests point it elsewhere.
    static void setHouseCircleLibrary(const QString& baseName);

public slots:
    void loadWeb();
    void refreshWeb(CefBrowserStackWidget* web, QString url);
    void openHouseDetail(QString js);
    void refresh();

private:
    static void receiveMessage(QString message, void* context);
    void openHouseCircle(qint64 itemId, int type);

    QStackedWidget* m_stack = nullptr;
    CefBrowserStackWidget* m_browser = nullptr;
};

#endif // MICROWEBSITEUSERBROWSINGTRACKWIDGET_H
