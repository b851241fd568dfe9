#ifndef COMPANYPROFILEWIDGET_H
#define COMPANYPROFILEWIDGET_H

#include "listings/photos/PhotoShowWidget.h"
#include "widgets/popups/CommonAddWidget.h"

#include <QJsonValue>
#include <QPointer>
#include <QStringList>
#include <QWidget>

class LoadFailedView;
class OmitLabel;
class QLabel;
class QPushButton;
class ShowAdsWidget;

// The company profile as the site shows it: the photos running as a carousel, the introduction,
// the address and the telephone; the edit button opens the editor for those allowed to change it.
class CompanyProfileWidget : public QWidget
{
    Q_OBJECT
public:
    explicit CompanyProfileWidget(QWidget* parent = nullptr);

    QString content() const { return m_content; }
    QString address() const { return m_address; }
    QString tel() const { return m_tel; }
    QStringList photos() const { return m_photos; }
    ShowAdsWidget* carousel() const { return m_carousel; }
    // The open editor's popup, null when none is open.
    CommonAddWidget* editorPopup() const { return m_editorPopup; }

public slots:
    void downloadData();
    void deal_companyMessage(QJsonValue value);
    void editButtonClick();
    void clickAds(int index);

signals:
    // A profile reply has been shown.
    void profileShown();

private:
    ShowAdsWidget* m_carousel = nullptr;
    QLabel* m_description = nullptr;
    OmitLabel* m_addressLabel = nullptr;
    OmitLabel* m_telLabel = nullptr;
    QPushButton* m_editButton = nullptr;
    QPointer<CommonAddWidget> m_editorPopup;
    QPointer<PhotoShowWidget> m_viewer;
    QString m_content;
    QString m_address;
    QString m_tel;
    QStringList m_photos;
    LoadFailedView* m_loadFailed = nullptr;
    bool m_loaded = false;
};

#endif // COMPANYPROFILEWIDGET_H
