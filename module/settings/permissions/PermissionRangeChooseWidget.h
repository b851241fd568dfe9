#ifndef PERMISSIONRANGECHOOSEWIDGET_H
#define PERMISSIONRANGECHOOSEWIDGET_H

#include <QList>
#include <QPointer>
#include <QString>
#include <QVariantMap>
#include <QWidget>

class CommonAddWidget;
class CustomComboBox;
class OmitLabel;

// The data range of one ranged right: a combo box of ranges and, for "指定部门", the names of the
// chosen departments, which a person and department chooser picks in a popup. Every choice is
// reported with backChoose(range code, departments as compact JSON array text).
class PermissionRangeChooseWidget : public QWidget
{
    Q_OBJECT
public:
    explicit PermissionRangeChooseWidget(QWidget* parent = nullptr);
    ~PermissionRangeChooseWidget() override;

    // Shows a range without reporting it; bumens (JSON array text) counts only for "指定部门".
    void setData(int range, const QString& bumens, int id);
    // Every range but "仅自己".
    void setShortList(bool shortList);

    int rightId() const { return m_id; }
    QList<QVariantMap> departments() const { return m_departments; }
    CustomComboBox* comboBox() const { return m_combo; }
    OmitLabel* namesLabel() const { return m_names; }

    // Whether the joint sale's chooser serves: the current company is the joint sale's company and
    // its id a positive whole number.
    static bool jointSaleContext();

signals:
    void backChoose(int range, QString bumens);

public slots:
    void comboboxCilck();
    void chooseBuMen();

private:
    void showRange(int code);
    void showDepartments();
    void dealChosen(const QList<QVariantMap>& list);
    void chooserClosed();
    // Closes an open chooser without hearing from it again.
    void dropChooser();
    void report();

    int m_id = 0;
    QList<QVariantMap> m_departments;
    CustomComboBox* m_combo = nullptr;
    OmitLabel* m_names = nullptr;

    // The range last shown by setData() or reported, and the departments before the chooser
    // opened: what closing the chooser without a choice goes back to.
    int m_code = 0;
    QList<QVariantMap> m_departmentsBefore;
    bool m_chooserReported = false;
    QPointer<CommonAddWidget> m_popup;
};

#endif // PERMISSIONRANGECHOOSEWIDGET_H
