#ifndef MICROWEBSITESCROLLADSITEMVIEW_H
#define MICROWEBSITESCROLLADSITEMVIEW_H

#include "content/ads/MicroWebSite_ScrollAds_Model.h"

#include <QWidget>

class QPushButton;

// One carousel advert: its picture, where it links to, and its operations.
class MicroWebSiteScrollAdsItemView : public QWidget
{
    Q_OBJECT
public:
    MicroWebSiteScrollAdsItemView(const MicroWebSite_ScrollAds_Model::AdData& ad, bool editable,
                                  QWidget* parent = nullptr);

    // The rows' look, set once on the list that holds them: a style sheet per button cost most of
    // building a row.
    static QString styleSheetText();

    MicroWebSite_ScrollAds_Model::AdData ad() const { return m_ad; }
    QString linkText() const;
    QPushButton* button(const QString& objectName) const;

signals:
    void modifyClick();
    void deleteClick();
    void moveToUp();
    void moveToDown();

private:
    MicroWebSite_ScrollAds_Model::AdData m_ad;
};

#endif // MICROWEBSITESCROLLADSITEMVIEW_H
