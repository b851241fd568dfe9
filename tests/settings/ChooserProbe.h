#ifndef CHOOSERPROBE_H
#define CHOOSERPROBE_H

#include "net/http/NetRequestObjecet.h"
#include "settings/choosers/OrganisationNodeItemView.h"
#include "settings/choosers/PersonOrDepartmentChooseWidget.h"
#include "widgets/lists/CustomListWidget.h"

#include <QAbstractButton>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

// Reads and drives a person and department chooser as a user would, for the settings suites.
namespace ChooserProbe {

inline QList<OrganisationNodeItemView*> rowsOf(const PersonOrDepartmentChooseWidget* chooser)
{
    QList<OrganisationNodeItemView*> rows;
    const QListWidget* list = chooser->findChild<CustomListWidget*>(QStringLiteral("list_organisation"))->listWidget();
    for (int i = 0; i < list->count(); ++i)
        rows.append(qobject_cast<OrganisationNodeItemView*>(list->itemWidget(list->item(i))));
    return rows;
}

inline OrganisationNodeItemView* rowOf(const PersonOrDepartmentChooseWidget* chooser, const QString& name)
{
    for (OrganisationNodeItemView* row : rowsOf(chooser)) {
        if (row && row->node().name == name)
            return row;
    }
    return nullptr;
}

// Waits until every request the chooser made has been answered (they are released once answered).
inline bool idle(const PersonOrDepartmentChooseWidget* chooser)
{
    return QTest::qWaitFor([chooser] { return chooser->findChildren<NetRequestObjecet*>().isEmpty(); });
}

// Clicks a button of the named row ("checkBox_choose", "checkBox_withDown", "pushButton_open"),
// then waits for any load it started. False when the row or the button is not there.
inline bool clickInRow(PersonOrDepartmentChooseWidget* chooser, const QString& name, const char* button)
{
    OrganisationNodeItemView* row = rowOf(chooser, name);
    QAbstractButton* target = row ? row->findChild<QAbstractButton*>(QLatin1String(button)) : nullptr;
    if (!target)
        return false;
    QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(4, target->height() / 2));
    return idle(chooser);
}

// Clicks the named push button ("pushButton_sure", "pushButton_cancel"); false when it is missing.
inline bool clickButton(const QWidget* parent, const char* name)
{
    auto* button = parent->findChild<QPushButton*>(QLatin1String(name));
    if (!button)
        return false;
    QTest::mouseClick(button, Qt::LeftButton);
    return true;
}

} // namespace ChooserProbe

#endif // CHOOSERPROBE_H
