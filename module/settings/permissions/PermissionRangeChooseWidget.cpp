#include "settings/permissions/PermissionRangeChooseWidget.h"

#include "net/http/NetRequestObjecet.h"
#include "settings/choosers/JointSale_PersonOrDepartmentChooseWidget.h"
#include "settings/choosers/PersonOrDepartmentChooseWidget.h"
#include "settings/permissions/models/PermissionRange.h"
#include "widgets/inputs/CustomComboBox.h"
#include "widgets/inputs/OmitLabel.h"
#include "widgets/popups/CommonAddWidget.h"
#include "widgets/popups/PopupLauncher.h"

#include "DataCenter.h"

#include <QFont>
#include <QHBoxLayout>
#include <QRegularExpression>

PermissionRangeChooseWidget::PermissionRangeChooseWidget(QWidget* parent)
    : QWidget(parent)
    , m_combo(new CustomComboBox(this))
    , m_names(new OmitLabel(this))
{
    setObjectName(QStringLiteral("PermissionRangeChooseWidget"));
    m_combo->setObjectName(QStringLiteral("comboBox_range"));
    m_combo->setFixedSize(160, 28);
    QFont font = m_combo->font();
    font.setPixelSize(14);
    m_combo->setFont(font);
    m_combo->setTextList(PermissionRange::fullList());
    m_names->setObjectName(QStringLiteral("label_bumens"));
    m_names->setCursor(Qt::PointingHandCursor);
    m_names->setToolTip(QStringLiteral("点击修改指定部门"));
    m_names->setStyleSheet(QStringLiteral("color:rgb(55,129,241);"));
    m_names->hide();

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(m_combo);
    layout->addWidget(m_names, 1);
    // Keeps the combo box at the left edge while the names are hidden.
    layout->addStretch();

    connect(m_combo, QOverload<int>::of(&QComboBox::activated), this, &PermissionRangeChooseWidget::comboboxCilck);
    // The names lead back to the chooser, so the departments can change without choosing the range again.
    connect(m_names, &OmitLabel::click, this, &PermissionRangeChooseWidget::chooseBuMen);
}

PermissionRangeChooseWidget::~PermissionRangeChooseWidget()
{
    dropChooser();
}

void PermissionRangeChooseWidget::dropChooser()
{
    if (!m_popup)
        return;
    if (QWidget* chooser = m_popup->content())
        disconnect(chooser, nullptr, this, nullptr);
    disconnect(m_popup, nullptr, this, nullptr);
    m_popup->closeWidget();
}

void PermissionRangeChooseWidget::setShortList(bool shortList)
{
    const QString current = m_combo->currentText();
    m_combo->setTextList(shortList ? PermissionRange::shortList() : PermissionRange::fullList());
    showRange(PermissionRange::codeOf(current));
}

void PermissionRangeChooseWidget::setData(int range, const QString& bumens, int id)
{
    // A chooser still open was choosing for the range shown before; its answer would land here.
    dropChooser();
    m_id = id;
    m_code = range;
    showRange(range);
    if (PermissionRange::codeOf(m_combo->currentText()) == PermissionRange::ChosenDepartments)
        m_departments = NetRequestObjecet::jsonToMapList(bumens);
    else
        m_departments.clear();
    showDepartments();
}

void PermissionRangeChooseWidget::showRange(int code)
{
    const QString text = PermissionRange::textOf(code, m_id);
    // A range the list lacks (a short list, another right's naming) is still shown as it is.
    if (m_combo->setCurrentItemText(text) < 0)
        m_combo->setEditText(text);
}

void PermissionRangeChooseWidget::showDepartments()
{
    const bool chosenDepartments =
        PermissionRange::codeOf(m_combo->currentText()) == PermissionRange::ChosenDepartments;
    m_names->setText(chosenDepartments ? PermissionRange::shownNames(m_departments) : QString());
    m_names->setVisible(chosenDepartments);
}

void PermissionRangeChooseWidget::comboboxCilck()
{
    if (PermissionRange::codeOf(m_combo->currentText()) == PermissionRange::ChosenDepartments) {
        m_names->show();
        chooseBuMen();
        return;
    }
    m_departments.clear();
    showDepartments();
    report();
}

bool PermissionRangeChooseWidget::jointSaleContext()
{
    static const QRegularExpression wholeNumber(QStringLiteral("^[0-9]{1,18}$"));
    const QString company = DataCenter::CompanyID;
    return company == DataCenter::JointSaleCompanyId && wholeNumber.match(company).hasMatch()
        && company.toLongLong() > 0;
}

void PermissionRangeChooseWidget::chooseBuMen()
{
    if (m_popup) {
        m_popup->show();
        return;
    }
    PersonOrDepartmentChooseWidget* chooser = jointSaleContext()
        ? new JointSale_PersonOrDepartmentChooseWidget(nullptr, true)
        : new PersonOrDepartmentChooseWidget(nullptr, true);
    chooser->setChosen(m_departments);
    m_departmentsBefore = m_departments;
    m_chooserReported = false;
    m_popup = PopupLauncher::open(QStringLiteral("选择指定部门"), QSize(700, 550), chooser);
    connect(chooser, &PersonOrDepartmentChooseWidget::backChoose, this,
            [this](const QList<QVariantMap>& list) { dealChosen(list); });
    connect(chooser, &PersonOrDepartmentChooseWidget::closeWidget, m_popup.data(), &CommonAddWidget::closeWidget);
    connect(m_popup.data(), &CommonAddWidget::hasClose, this, &PermissionRangeChooseWidget::chooserClosed);
}

void PermissionRangeChooseWidget::dealChosen(const QList<QVariantMap>& list)
{
    m_chooserReported = true;
    m_departments = list;
    if (m_departments.isEmpty())
        showRange(PermissionRange::WholeCompany);
    else
        showRange(PermissionRange::ChosenDepartments);
    showDepartments();
    report();
}

void PermissionRangeChooseWidget::chooserClosed()
{
    if (m_chooserReported)
        return;
    // Closed without a choice: back to the range and departments from before, not to the widest
    // range, which a dismissed dialog must not grant.
    m_departments = m_departmentsBefore;
    showRange(m_code);
    showDepartments();
    report();
}

void PermissionRangeChooseWidget::report()
{
    m_code = PermissionRange::codeOf(m_combo->currentText());
    emit backChoose(m_code, NetRequestObjecet::mapListToJson(m_departments));
}
