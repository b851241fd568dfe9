#ifndef PERMISSIONMICROWEBSITEWIDGET_H
#define PERMISSIONMICROWEBSITEWIDGET_H

#include "settings/permissions/models/PermissionItems.h"

#include <QList>
#include <QMap>
#include <QVariantList>
#include <QVariantMap>
#include <QWidget>

class PermissionRangeChooseWidget;
class QCheckBox;

// The fourteen rights a job role can hold over the micro-website module, each switched on or off,
// four of them with a data range. The page sends nothing itself: its owner fills it with setData()
// and hears every change as valueChange() with all fourteen items.
class PermissionMicroWebSiteWidget : public QWidget
{
    Q_OBJECT
public:
    explicit PermissionMicroWebSiteWidget(QWidget* parent = nullptr);

    // Fills the page from a role's right items (maps with "id", "selected", "range", "bumens");
    // rights the list leaves out are shown unset. Emits nothing.
    void setData(const QVariantList& list);
    QList<QVariantMap> items() const { return m_items.items(); }

    QCheckBox* checkBox(int rightId) const { return m_checks.value(rightId); }
    PermissionRangeChooseWidget* rangeChooser(int rightId) const { return m_ranges.value(rightId); }

signals:
    void valueChange(QList<QVariantMap> list);

public slots:
    void dealValueChange();

private:
    QWidget* buildRow(int rightId);

    PermissionItems m_items;
    QMap<int, QCheckBox*> m_checks;
    QMap<int, PermissionRangeChooseWidget*> m_ranges;
};

#endif // PERMISSIONMICROWEBSITEWIDGET_H
