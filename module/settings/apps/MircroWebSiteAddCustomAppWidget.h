#ifndef MIRCROWEBSITEADDCUSTOMAPPWIDGET_H
#define MIRCROWEBSITEADDCUSTOMAPPWIDGET_H

#include "net/pictures/PhotosUploadObject.h"
#include "settings/style/MircroWebsiteStyleSet_Model.h"

#include <QList>
#include <QPointer>
#include <QVariantMap>
#include <QWidget>

class CustomComboBox;
class EditorDraft;
class ImageShowLabel;
class PhotoWork;
class PhotoWorkWait;
class QGridLayout;
class QLineEdit;
class QPlainTextEdit;
class QProgressIndicator;
class QPushButton;
class QStackedWidget;

// Adds a custom app to the site's home page or edits one: icon, a name of at most four characters
// and its content, pictures, a text or a house search. Pictures are compressed as they are picked;
// the save waits until every run is done, uploads, then sends the app.
class MircroWebSiteAddCustomAppWidget : public QWidget
{
    Q_OBJECT
public:
    explicit MircroWebSiteAddCustomAppWidget(QWidget* parent = nullptr);

    void setData(const MircroWebsiteStyleSet_Model::APP& app);
    int currentMode() const;
    QList<QVariantMap> photos() const { return m_photos; }
    QString iconPath() const { return m_iconPath; }
    bool isBusy() const;
    QProgressIndicator* waitIndicator() const;
    EditorDraft* draft() const { return m_draft; }

public slots:
    void changeToWordModel();
    void changeToPhotosModel();
    void changeToHousesModel();
    void showDefaultData();
    void chooseIconPhoto();
    void dealIconPhotosCompression(QString path);
    void choosePhotos();
    void loadPic();
    void deletePhotoAgainLayout(QWidget* w);
    void dealPhotosCompression(QString path);
    void submitData();
    void uploadPhotos();
    void dealUrlData(QList<PhotosUploadObject::PhotosModel> list);
    void uploadText();
    void uploadHouse();
    void submitToService(QString content);

signals:
    void setSuccess();

private:
    void setMode(int mode);
    // The shared checks; shows the failure and returns false.
    bool checkShared();
    void upload(const QStringList& photoPaths);
    void showIcon(const QString& icon);

    int m_id = 0;
    QString m_iconPath;
    QList<QVariantMap> m_photos;
    QString m_pendingContent; // the text or house content while the icon uploads
    MircroWebsiteStyleSet_Model::APP m_app;

    ImageShowLabel* m_icon = nullptr;
    QLineEdit* m_name = nullptr;
    QList<QPushButton*> m_modeButtons;
    QStackedWidget* m_pages = nullptr;
    QWidget* m_photoArea = nullptr;
    QGridLayout* m_photoGrid = nullptr;
    QPlainTextEdit* m_text = nullptr;
    CustomComboBox* m_houseType = nullptr;
    CustomComboBox* m_district = nullptr;
    PhotoWork* m_iconWork = nullptr;
    PhotoWork* m_photoWork = nullptr;
    PhotoWork* m_upload = nullptr;
    PhotoWorkWait* m_wait = nullptr;
    EditorDraft* m_draft = nullptr;
};

#endif // MIRCROWEBSITEADDCUSTOMAPPWIDGET_H
