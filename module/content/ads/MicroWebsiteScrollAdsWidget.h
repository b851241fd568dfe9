#ifndef MICROWEBSITESCROLLADSWIDGET_H
#define MICROWEBSITESCROLLADSWIDGET_H

#include "content/ads/MicroWebSite_ScrollAds_Model.h"
#include "widgets/popups/CommonAddWidget.h"

#include <QJsonValue>
#include <QList>
#include <QPointer>
#include <QWidget>

class CustomListWidget;
class FormBody;
class ListPager;
class MicroWebSiteScrollAdsItemView;
class QPushButton;

// The carousel adverts of the site's home page in display order: add, change, delete, move.
class MicroWebsiteScrollAdsWidget : public QWidget
{
    Q_OBJECT
public:
    // The list is not paged; a reply holds every advert, within this bound.
    static constexpr int MaxAds = 200;

    explicit MicroWebsiteScrollAdsWidget(QWidget* parent = nullptr);

    QList<MicroWebSiteScrollAdsItemView*> rows() const;
    QPushButton* addButton() const { return m_addButton; }
    ListPager* pager() const { return m_pager; }
    CommonAddWidget* formPopup() const { return m_popup; }

public slots:
    void addScrollPhoto();
    void downloadDataList();
    void deal_dataList(QJsonValue value);
    void showListview();

signals:
    void listShown();

private:
    void openForm(const QString& title, const MicroWebSite_ScrollAds_Model::AdData* ad);
    void sendOperation(const QString& url, const FormBody& body);

    QPushButton* m_addButton = nullptr;
    CustomListWidget* m_list = nullptr;
    ListPager* m_pager = nullptr;
    QList<MicroWebSite_ScrollAds_Model::AdData> m_ads;
    QPointer<CommonAddWidget> m_popup;
};

#endif // MICROWEBSITESCROLLADSWIDGET_H
