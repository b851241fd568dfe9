#ifndef JOINUSLISTWIDGET_H
#define JOINUSLISTWIDGET_H

#include "content/jobs/MicroWebsite_JoinUsJob_Model.h"
#include "widgets/popups/CommonAddWidget.h"

#include <QJsonValue>
#include <QList>
#include <QPointer>
#include <QWidget>

class CustomListWidget;
class JoinUsListView;
class ListPager;
class QPushButton;

// The agency's job postings: one row each, opened for viewing by a click; adding, changing and
// deleting for those with the right.
class JoinUsListWidget : public QWidget
{
    Q_OBJECT
public:
    // The list is not paged; a reply holds every posting, within this bound.
    static constexpr int MaxJobs = 200;

    explicit JoinUsListWidget(QWidget* parent = nullptr);

    QList<JoinUsListView*> rows() const;
    QPushButton* addButton() const { return m_addButton; }
    ListPager* pager() const { return m_pager; }
    // The popup opened last (editor or detail), null once it is closed.
    CommonAddWidget* openPopup() const { return m_popup; }

public slots:
    void add_newJob();
    void download_jobList();
    void deal_jobListData(QJsonValue result_value);

signals:
    // A reply has been shown.
    void listShown();

private:
    void openEditor(const QString& title, const MicroWebsite_JoinUsJob_Model::DataModel* job);
    void openDetail(const MicroWebsite_JoinUsJob_Model::DataModel& job);
    void askDelete(int id);

    QPushButton* m_addButton = nullptr;
    CustomListWidget* m_list = nullptr;
    ListPager* m_pager = nullptr;
    QPointer<CommonAddWidget> m_popup;
};

#endif // JOINUSLISTWIDGET_H
