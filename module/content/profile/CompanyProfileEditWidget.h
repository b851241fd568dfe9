#ifndef COMPANYPROFILEEDITWIDGET_H
#define COMPANYPROFILEEDITWIDGET_H

#include "net/pictures/PhotosUploadObject.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

class EditorDraft;
class FormBody;
class HouseDetailPictureListWidget;
class PhotoWork;
class PhotoWorkWait;
class QGridLayout;
class QLineEdit;
class QPlainTextEdit;
class QProgressIndicator;
class QPushButton;

// Edits the company profile: the three texts and the photos (addresses already on the service and
// picked files, compressed as they are picked). Saving uploads the new photos, then sends the whole
// profile; a photo that fails keeps the editor open with everything as typed.
class CompanyProfileEditWidget : public QWidget
{
    Q_OBJECT
public:
    CompanyProfileEditWidget(const QString& content, const QString& address, const QString& tel,
                             const QStringList& photos, QWidget* parent = nullptr);

    // The first failing check of a save, in the order the user fixes them; empty when it may go.
    static QString checkInput(int photoCount, bool compressing, const QString& address, const QString& tel,
                              const QString& content);
    static FormBody saveBody(const QString& content, const QString& address, const QString& tel,
                             const QStringList& photoUrls);

    QStringList photoPaths() const { return m_photos; }
    QList<HouseDetailPictureListWidget*> tiles() const { return m_tiles; }
    EditorDraft* draft() const { return m_draft; }
    int compressionsInProgress() const;
    // The wait indicator while photos are processed or the profile is saved, null otherwise.
    QProgressIndicator* waitIndicator() const;

public slots:
    void choosePhotos();
    void compressionResult(QString path);
    void submit_photo_data();
    void submit_alldata(QList<PhotosUploadObject::PhotosModel> list);

signals:
    void editSuccess();

private:
    void addTile(const QString& path);
    void removeTile(HouseDetailPictureListWidget* tile);
    void layoutTiles();
    void setPhotos(const QStringList& photos);

    QLineEdit* m_address = nullptr;
    QLineEdit* m_tel = nullptr;
    QPlainTextEdit* m_content = nullptr;
    QWidget* m_tileArea = nullptr;
    QGridLayout* m_grid = nullptr;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_saveButton = nullptr;
    PhotoWork* m_work = nullptr;
    PhotoWorkWait* m_wait = nullptr;
    EditorDraft* m_draft = nullptr;
    QStringList m_photos;
    QList<HouseDetailPictureListWidget*> m_tiles;
};

#endif // COMPANYPROFILEEDITWIDGET_H
