#ifndef MIRCROWEBSITESETSTACKWIDGET_H
#define MIRCROWEBSITESETSTACKWIDGET_H

#include "settings/basic/MircroWebSiteSetWidget.h"
#include "settings/style/MircroWebsiteStyleSetWidget.h"

#include <QJsonValue>
#include <QList>
#include <QPointer>
#include <QVariantMap>
#include <QWidget>

class CustomTreeWidget;
class EditorDraft;
class LoadFailedView;
class PermissionMicroWebSiteWidget;
class QPushButton;
class QStackedWidget;

// The content of the settings popup: basic settings, style, and per job role the module's rights,
// behind one left-hand column.
class MircroWebSiteSetStackWidget : public QWidget
{
    Q_OBJECT
public:
    enum Page { BasicPage = 1, StylePage = 2, RightsPage = 3 };

    explicit MircroWebSiteSetStackWidget(QWidget* parent = nullptr);

    QList<QVariantMap> authList() const { return m_authList; }
    int currentJobId() const { return m_currentJobId; }
    int currentJobIndex() const { return m_currentJobIndex; }
    QList<QVariantMap> jobList() const { return m_jobList; }
    CustomTreeWidget* tree() const { return m_tree; }
    PermissionMicroWebSiteWidget* permissionPage() const { return m_permissions; }
    MircroWebSiteSetWidget* basicPage() const { return m_basicPage; }
    MircroWebsiteStyleSetWidget* stylePage() const { return m_stylePage; }
    QStackedWidget* pages() const { return m_stack; }
    QPushButton* saveButton() const { return m_save; }
    // Stands over the rights page when the chosen role's rights could not be read.
    LoadFailedView* rightsFailedView() const { return m_rightsFailed; }
    // True once the chosen role's own rights have been read: only then can they be saved.
    bool rightsReady() const { return m_currentJobId > 0 && m_rightsOfJob == m_currentJobId; }

public slots:
    void showPage(int which);
    void chooseJob(int index);
    void loadjob();
    void downloadAuthOfJob(int jobId);
    void deal_downloadJobAuth(QJsonValue resultValue);
    void fillAuth();
    void dealBackValue(int appId, QList<QVariantMap> list);
    void submitModify();

signals:
    void closeWidget();
    void refreshList();
    // The rights of the chosen role are on the page.
    void rightsShown();
    void rightsSaved();

private:
    void askClose();
    void styleButtons(QPushButton* current);
    void rightsFailed(const QString& reason);

    QPushButton* m_basicButton = nullptr;
    QPushButton* m_styleButton = nullptr;
    CustomTreeWidget* m_tree = nullptr;
    QStackedWidget* m_stack = nullptr;
    PermissionMicroWebSiteWidget* m_permissions = nullptr;
    QPushButton* m_save = nullptr;
    QPointer<MircroWebSiteSetWidget> m_basicPage;
    QPointer<MircroWebsiteStyleSetWidget> m_stylePage;
    int m_currentJobIndex = -1;
    QList<QVariantMap> m_jobList;
    int m_currentJobId = 0;
    QList<QVariantMap> m_authList;
    // The role whose rights m_authList holds as read from the service; 0 while none is.
    int m_rightsOfJob = 0;
    LoadFailedView* m_rightsFailed = nullptr;
    // The shown role's rights as typed, kept per role.
    EditorDraft* m_rightsDraft = nullptr;
};

#endif // MIRCROWEBSITESETSTACKWIDGET_H
