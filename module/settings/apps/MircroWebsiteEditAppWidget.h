#ifndef MIRCROWEBSITEEDITAPPWIDGET_H
#define MIRCROWEBSITEEDITAPPWIDGET_H

#include "settings/style/MircroWebsiteStyleSet_Model.h"

#include <QPointer>
#include <QWidget>

class EditorDraft;
class FormBody;
class ImageShowLabel;
class PhotoWork;
class PhotoWorkWait;
class QLineEdit;

// Changes the icon and name of a system app of the site's home page.
class MircroWebsiteEditAppWidget : public QWidget
{
    Q_OBJECT
public:
    explicit MircroWebsiteEditAppWidget(QWidget* parent = nullptr);

    void setData(const MircroWebsiteStyleSet_Model::APP& app);
    // The first failing check, empty when the save may go.
    static QString checkInput(const QString& name, bool compressing);
    static FormBody saveBody(int id, const QString& name, const QString& photo);
    QString iconPath() const { return m_iconPath; }
    bool isBusy() const;
    EditorDraft* draft() const { return m_draft; }

public slots:
    void choosePhoto();
    void dealPhotosCompression(QString path);
    void submitData();

signals:
    void setSuccess();

private:
    void send(const QString& photo);

    int m_id = 0;
    QString m_iconPath;
    ImageShowLabel* m_icon = nullptr;
    QLineEdit* m_name = nullptr;
    PhotoWork* m_work = nullptr;
    PhotoWorkWait* m_wait = nullptr;
    EditorDraft* m_draft = nullptr;
};

#endif // MIRCROWEBSITEEDITAPPWIDGET_H
