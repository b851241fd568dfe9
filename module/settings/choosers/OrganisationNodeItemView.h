#ifndef ORGANISATIONNODEITEMVIEW_H
#define ORGANISATIONNODEITEMVIEW_H

#include "settings/choosers/OrganisationList_Model.h"

#include <QWidget>

class QCheckBox;
class QPushButton;

// One row of the chooser's organisation list: a department or a person with a box to choose it;
// a department with sub-departments also offers "含下级" (choose it with everything below) and
// "下级" (open it). Search results show where the row sits in the organisation.
class OrganisationNodeItemView : public QWidget
{
    Q_OBJECT
public:
    using Node = OrganisationList_Model::ListData;

    OrganisationNodeItemView(const Node& node, bool showPath, QWidget* parent = nullptr);

    const Node& node() const { return m_node; }
    // Shows the row's state without reporting it. covered: a department above is chosen with
    // everything below, so this one is chosen already and cannot be changed here.
    void setState(bool chosen, bool withDown, bool covered, const QString& coveredBy = QString());

signals:
    void chooseToggled(bool chosen);
    void withDownToggled(bool withDown);
    void openClicked();

private:
    Node m_node;
    QCheckBox* m_choose = nullptr;
    QCheckBox* m_withDown = nullptr;
    QPushButton* m_open = nullptr;
};

#endif // ORGANISATIONNODEITEMVIEW_H
