#ifndef JOINUSLISTVIEW_H
#define JOINUSLISTVIEW_H

#include "content/jobs/MicroWebsite_JoinUsJob_Model.h"

#include <QWidget>

class QPushButton;

// One job posting in the list: title, education, experience and salary, with change and delete
// buttons for those allowed to use them.
class JoinUsListView : public QWidget
{
    Q_OBJECT
public:
    JoinUsListView(const MicroWebsite_JoinUsJob_Model::DataModel& job, bool editable, QWidget* parent = nullptr);

    MicroWebsite_JoinUsJob_Model::DataModel job() const { return m_job; }
    QPushButton* modifyButton() const { return m_modify; }
    QPushButton* deleteButton() const { return m_delete; }

signals:
    void clickItem();
    void deleteClick();
    void modifyClick();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    MicroWebsite_JoinUsJob_Model::DataModel m_job;
    QPushButton* m_modify = nullptr;
    QPushButton* m_delete = nullptr;
};

#endif // JOINUSLISTVIEW_H
