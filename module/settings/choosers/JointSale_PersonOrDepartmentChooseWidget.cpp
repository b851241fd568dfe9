#include "settings/choosers/JointSale_PersonOrDepartmentChooseWidget.h"

JointSale_PersonOrDepartmentChooseWidget::JointSale_PersonOrDepartmentChooseWidget(QWidget* parent,
                                                                                   bool departmentsOnly)
    : PersonOrDepartmentChooseWidget(parent, departmentsOnly, OrganisationRequest::Kind::JointSale)
{
    setObjectName(QStringLiteral("JointSale_PersonOrDepartmentChooseWidget"));
}
