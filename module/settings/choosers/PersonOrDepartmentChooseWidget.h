#ifndef PERSONORDEPARTMENTCHOOSEWIDGET_H
#define PERSONORDEPARTMENTCHOOSEWIDGET_H

#include "settings/choosers/ChosenOrganisation.h"
#include "settings/choosers/OrganisationRequest.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <QWidget>

class ApplicationItemChooseView;
class CustomLineEdit;
class CustomListWidget;
class LoadFailedView;
class NetRequestObjecet;
class QHBoxLayout;
class QJsonValue;
class QLabel;
class QPushButton;

// Chooses departments and people of the company's organisation, for a popup frame. On the left
// the organisation, one department at a time under a trail of the departments above it, or the
// results of a search as the user types; on the right what is chosen, as chips that can be
// removed. A department can be chosen alone or with everything below it ("含下级"). "确定" reports
// the choice with backChoose() and closes; "取消" only closes.
class PersonOrDepartmentChooseWidget : public QWidget
{
    Q_OBJECT
public:
    // departmentsOnly: people are neither listed nor chosen.
    explicit PersonOrDepartmentChooseWidget(QWidget* parent = nullptr, bool departmentsOnly = false);

    // What the user starts from (a list as backChoose() reports it, or departments as the rights
    // store them).
    void setChosen(const QList<QVariantMap>& list);
    QList<QVariantMap> chosen() const { return m_chosen.entries(); }

    bool departmentsOnly() const { return m_departmentsOnly; }
    const OrganisationRequest& organisationRequest() const { return m_request; }
    // The trail's texts, the organisation first.
    QStringList crumbTexts() const;

signals:
    void backChoose(QList<QVariantMap> list, QString des);
    void closeWidget();

public slots:
    // Loads the department on screen, or the search results while a search runs.
    void downloadData();
    void searchChange(const QString& text);
    void dealSure();

protected:
    PersonOrDepartmentChooseWidget(QWidget* parent, bool departmentsOnly, OrganisationRequest::Kind kind);

private:
    struct Crumb
    {
        QVariant id; // null for the organisation itself
        QString name;
    };

    void buildUi();
    void dealData(const QJsonValue& value);
    void dealLoadFail(const QString& reason);
    void dealSubDepartments(const QJsonValue& value);
    void dealSubDepartmentsFail(const QString& reason);
    // Sends through a new request object that `newest` then points at; its reply reaches the
    // handlers only while `newest` still does, so an answer to an earlier request is dropped.
    void send(QPointer<NetRequestObjecet>& newest, const QString& url, const QVariantMap& params,
              void (PersonOrDepartmentChooseWidget::*success)(const QJsonValue&),
              void (PersonOrDepartmentChooseWidget::*failure)(const QString&));
    void openDepartment(const OrganisationList_Model::ListData& node);
    void openCrumb(int index);
    void leaveSearch();
    void showCrumbs();
    void refreshRows();
    void refreshChips();
    void chosenChanged();
    // The department on the trail that is chosen with everything below it, if any.
    QString coveringCrumb() const;
    void report(const QList<OrganisationList_Model::ListData>& subDepartments);

    OrganisationRequest m_request;
    bool m_departmentsOnly = false;
    ChosenOrganisation m_chosen;
    QList<Crumb> m_crumbs;
    QString m_key;
    // Only the newest load counts: a reply to an earlier one (the user moved on) is dropped.
    QPointer<NetRequestObjecet> m_current;
    // The same for the sub-departments a confirmation waits for.
    QPointer<NetRequestObjecet> m_subRequest;

    CustomLineEdit* m_search = nullptr;
    QHBoxLayout* m_crumbLayout = nullptr;
    CustomListWidget* m_list = nullptr;
    LoadFailedView* m_failed = nullptr;
    QLabel* m_count = nullptr;
    QPushButton* m_clear = nullptr;
    ApplicationItemChooseView* m_chips = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_sure = nullptr;
};

#endif // PERSONORDEPARTMENTCHOOSEWIDGET_H
