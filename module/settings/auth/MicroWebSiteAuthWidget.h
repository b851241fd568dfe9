#ifndef MICROWEBSITEAUTHWIDGET_H
#define MICROWEBSITEAUTHWIDGET_H

#include <QJsonValue>
#include <QList>
#include <QString>
#include <QWidget>

class QLabel;

// The four steps that put an agency's own mini-program in front of its site, each with a link that
// opens the page it needs in the host's browser window.
class MicroWebSiteAuthWidget : public QWidget
{
    Q_OBJECT
public:
    struct Link
    {
        QString text;
        QString url;
        QString title;
    };

    explicit MicroWebSiteAuthWidget(QWidget* parent = nullptr);

    // The links of steps 1 to 3, in order.
    static QList<Link> links();
    QList<QLabel*> linkLabels() const { return m_links; }

public slots:
    void dealDataJson(QJsonValue value);
    void openUrl(QString url, QString title);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QLabel*> m_links;
};

#endif // MICROWEBSITEAUTHWIDGET_H
