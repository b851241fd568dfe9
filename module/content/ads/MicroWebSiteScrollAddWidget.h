#ifndef MICROWEBSITESCROLLADDWIDGET_H
#define MICROWEBSITESCROLLADDWIDGET_H

#include "content/ads/MicroWebSite_ScrollAds_Model.h"
#include "widgets/popups/CommonAddWidget.h"

#include <QPointer>
#include <QVariantMap>
#include <QWidget>

class CustomComboBox;
class EditorDraft;
class FormBody;
class ImageShowLabel;
class PhotoWork;
class PhotoWorkWait;
class QLabel;
class QProgressIndicator;
class QPushButton;
class QWidget;

// Adds or changes a carousel advert: its picture (compressed when picked; the newest pick wins)
// and what it links to, chosen through a picker of the link type.
class MicroWebSiteScrollAddWidget : public QWidget
{
    Q_OBJECT
public:
    explicit MicroWebSiteScrollAddWidget(QWidget* parent = nullptr);

    void setAdvert(const MicroWebSite_ScrollAds_Model::AdData& ad);
    // What the form holds now (the picture as picked: a local file or an address).
    MicroWebSite_ScrollAds_Model::AdData formAdvert() const;
    bool isProcessingPicture() const;
    // The save body; a change carries its id last.
    static FormBody saveBody(const MicroWebSite_ScrollAds_Model::AdData& ad);
    static QString saveUrl(int id);

    QWidget* positionRow() const { return m_positionRow; }
    QPushButton* pickerButton() const { return m_pickerButton; }
    CustomComboBox* typeBox() const { return m_typeBox; }
    CommonAddWidget* pickerPopup() const { return m_pickerPopup; }
    QProgressIndicator* waitIndicator() const;
    EditorDraft* draft() const { return m_draft; }

public slots:
    void choosePhoto();
    void compressionResult(QString path);
    void typeActivedIndex(int index);
    void chooseClick();
    void chooseNewHouse();
    void chooseSaleHouse();
    void chooseRentHouse();
    void chooseZhaoPin();
    void submitData();

signals:
    void addSuccess();

private:
    void openPicker(const QString& title, const QString& url, const QVariantMap& fixed, const QString& shownKey);
    void send(const MicroWebSite_ScrollAds_Model::AdData& ad);
    void showPicture(const QString& picture);
    void setLink(int type, int itemid, const QString& title);

    int m_id = 0;
    QString m_picture;
    int m_type = MicroWebSite_ScrollAds_Model::NoLink;
    int m_itemid = 0;
    QString m_title;

    ImageShowLabel* m_pictureLabel = nullptr;
    CustomComboBox* m_typeBox = nullptr;
    QWidget* m_positionRow = nullptr;
    QPushButton* m_pickerButton = nullptr;
    QPushButton* m_submitButton = nullptr;
    PhotoWork* m_work = nullptr;
    PhotoWorkWait* m_wait = nullptr;
    EditorDraft* m_draft = nullptr;
    QPointer<CommonAddWidget> m_pickerPopup;
};

#endif // MICROWEBSITESCROLLADDWIDGET_H
