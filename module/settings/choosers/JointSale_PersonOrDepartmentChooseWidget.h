#ifndef JOINTSALE_PERSONORDEPARTMENTCHOOSEWIDGET_H
#define JOINTSALE_PERSONORDEPARTMENTCHOOSEWIDGET_H

#include "settings/choosers/PersonOrDepartmentChooseWidget.h"

// The chooser in the joint-sale context: the same choosing over the joint sale's organisation,
// asked for through "lmai/lwpV2" and "lmai/dept/lwpSub".
class JointSale_PersonOrDepartmentChooseWidget : public PersonOrDepartmentChooseWidget
{
    Q_OBJECT
public:
    explicit JointSale_PersonOrDepartmentChooseWidget(QWidget* parent = nullptr, bool departmentsOnly = false);
};

#endif // JOINTSALE_PERSONORDEPARTMENTCHOOSEWIDGET_H
