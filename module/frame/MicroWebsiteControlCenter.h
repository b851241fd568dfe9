#ifndef MICROWEBSITECONTROLCENTER_H
#define MICROWEBSITECONTROLCENTER_H

#include <QObject>
#include <QPointer>
#include <QVariant>

#include <functional>

class MicroWebsiteMainPageWidget;
class QWidget;

// Reacts to the host's hub messages and opens every page of the module once, as a host tab.
class MicroWebsiteControlCenter : public QObject
{
    Q_OBJECT
public:
    explicit MicroWebsiteControlCenter(QObject* parent = nullptr);

public slots:
    void dealBaseMsg(const QString& key, const QVariant& v, QObject* obj);
    void openSetWidget();
    void loadMainPage();
    void mainPageFunctionsClick(int itemid, const QString& title);
    void loadNewHouse(const QString& title);
    void loadSaleHouse(const QString& title);
    void loadRentHouse(const QString& title);
    void loadFinancial(const QString& title);
    void loadSaleCustomer(const QString& title);
    void loadRentCustomer(const QString& title);
    void loadSeekSaleCustomer(const QString& title);
    void loadSeekRentCustomer(const QString& title);
    void loadNewsList(int index, const QString& title);
    void loadRebatix(const QString& title);
    void loadUserBrowingTrack(const QString& title);

private:
    using PageFactory = std::function<QWidget*(QWidget* parent)>;
    // Brings a living page to the front, or builds it and adds it as a tab under `title`.
    void openPage(QPointer<QWidget>& slot, const QString& title, const PageFactory& factory);

    QPointer<MicroWebsiteMainPageWidget> m_mainPage;
    QPointer<QWidget> m_newHouse;
    QPointer<QWidget> m_saleHouse;
    QPointer<QWidget> m_rentHouse;
    QPointer<QWidget> m_financial;
    QPointer<QWidget> m_saleCustomer;
    QPointer<QWidget> m_rentCustomer;
    QPointer<QWidget> m_seekSaleCustomer;
    QPointer<QWidget> m_seekRentCustomer;
    QPointer<QWidget> m_news;
    QPointer<QWidget> m_rebatix;
    QPointer<QWidget> m_browsingTrack;
};

#endif // MICROWEBSITECONTROLCENTER_H
