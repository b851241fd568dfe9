#ifndef MICROWEBSITENEWSTHEMEADDWIDGET_H
#define MICROWEBSITENEWSTHEMEADDWIDGET_H

#include "widgets/popups/CommonAddWidget.h"

#include <QList>
#include <QPointer>
#include <QVariantMap>
#include <QWidget>

class EditorDraft;
class FormBody;
class ImageShowLabel;
class PhotoWork;
class PhotoWorkWait;
class QLabel;
class QLineEdit;
class QProgressIndicator;
class QPushButton;

// Adds or edits a topic: titles, an icon (compressed when picked; the newest pick wins) and the
// houses it links, chosen in the house picker.
class MicroWebsiteNewsThemeAddWidget : public QWidget
{
    Q_OBJECT
public:
    explicit MicroWebsiteNewsThemeAddWidget(QWidget* parent = nullptr);

    // Fills the form from a row of the topic list.
    void setTopic(const QVariantMap& row);

    // The first failing check of a save, in the order of the form; empty when it may go.
    static QString checkInput(const QString& title, const QString& icon, int houseCount, bool compressing);
    // The save body: "id" for a topic that exists, else the company's and city's ids; then the
    // houses as compact JSON, the titles and the icon's address.
    static FormBody saveBody(int id, const QString& companyId, const QString& cityId, const QList<QVariantMap>& houses,
                             const QString& title, const QString& subtitle, const QString& img);
    // "【%1套】%2", the titles joined with ";"; empty without houses.
    static QString housesText(const QList<QVariantMap>& houses);

    QList<QVariantMap> houses() const { return m_houses; }
    QString icon() const { return m_icon; }
    QLabel* housesLabel() const { return m_housesLabel; }
    CommonAddWidget* pickerPopup() const { return m_pickerPopup; }
    QProgressIndicator* waitIndicator() const;
    bool isProcessingIcon() const;
    EditorDraft* draft() const { return m_draft; }

public slots:
    void chooseIconPhoto();
    void dealIconPhotosCompression(QString path);
    void chooseHouse();
    void submitData();

signals:
    void addSuccess();

private:
    void setHouses(const QList<QVariantMap>& houses);
    void send(const QString& img);
    void showIcon(const QString& icon);

    int m_id = 0;
    QString m_icon;
    QList<QVariantMap> m_houses;
    QLineEdit* m_title = nullptr;
    QLineEdit* m_subtitle = nullptr;
    ImageShowLabel* m_iconLabel = nullptr;
    QLabel* m_housesLabel = nullptr;
    PhotoWork* m_work = nullptr;
    PhotoWorkWait* m_wait = nullptr;
    EditorDraft* m_draft = nullptr;
    QPointer<CommonAddWidget> m_pickerPopup;
};

#endif // MICROWEBSITENEWSTHEMEADDWIDGET_H
