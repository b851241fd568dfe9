#ifndef MIRCROWEBSITETOPTHEREPHOTOADDWIDGET_H
#define MIRCROWEBSITETOPTHEREPHOTOADDWIDGET_H


#include <QPointer>
#include <QVariantMap>
#include <QWidget>

class CustomComboBox;
class EditorDraft;
class ImageShowLabel;
class PhotoWork;
class PhotoWorkWait;

// Edits one top icon: its picture and the house search it leads to. A new picture is uploaded;
// a failed upload keeps the editor open and says so.
class MircroWebSiteTopTherePhotoAddWidget : public QWidget
{
    Q_OBJECT
public:
    static const QString AllDistricts;

    explicit MircroWebSiteTopTherePhotoAddWidget(QWidget* parent = nullptr);

    void setData(const QVariantMap& map);
    // The map the editor hands back: the given one with the three keys replaced.
    static QVariantMap resultMap(QVariantMap given, const QString& houseType, const QString& district, const QString& url);
    QString iconPath() const { return m_icon; }
    bool isBusy() const;
    CustomComboBox* houseTypeBox() const { return m_houseType; }
    CustomComboBox* districtBox() const { return m_district; }
    EditorDraft* draft() const { return m_draft; }

public slots:
    void chooseIconPhoto();
    void dealIconPhotosCompression(QString path);
    void submitData();

signals:
    void setSuccess(QVariantMap map);

private:

    QString m_icon;
    QVariantMap m_given;
    ImageShowLabel* m_iconLabel = nullptr;
    CustomComboBox* m_houseType = nullptr;
    CustomComboBox* m_district = nullptr;
    PhotoWork* m_work = nullptr;
    PhotoWorkWait* m_wait = nullptr;
    EditorDraft* m_draft = nullptr;
};

#endif // MIRCROWEBSITETOPTHEREPHOTOADDWIDGET_H
