#ifndef JOINUSDETAILMESSAGEWIDGET_H
#define JOINUSDETAILMESSAGEWIDGET_H

#include "content/jobs/MicroWebsite_JoinUsJob_Model.h"

#include <QWidget>

class QLabel;

// One job posting as the site shows it.
class JoinUsDetailMessageWidget : public QWidget
{
    Q_OBJECT
public:
    explicit JoinUsDetailMessageWidget(QWidget* parent = nullptr);

    void setJob(const MicroWebsite_JoinUsJob_Model::DataModel& job);

private:
    QLabel* addLabel(const QString& name, const QString& style);

    QLabel* m_title = nullptr;
    QLabel* m_salary = nullptr;
    QLabel* m_requirements = nullptr;
    QLabel* m_tags = nullptr;
    QLabel* m_tel = nullptr;
    QLabel* m_address = nullptr;
    QLabel* m_content = nullptr;
};

#endif // JOINUSDETAILMESSAGEWIDGET_H
