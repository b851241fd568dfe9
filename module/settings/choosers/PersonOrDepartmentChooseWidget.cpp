#include "settings/choosers/PersonOrDepartmentChooseWidget.h"

#include "net/http/NetRequestObjecet.h"
#include "settings/choosers/OrganisationNodeItemView.h"
#include "widgets/inputs/ApplicationItemChooseView.h"
#include "widgets/inputs/ChoosePeople_Item.h"
#include "widgets/inputs/CustomLineEdit.h"
#include "widgets/inputs/MnemonicText.h"
#include "widgets/inputs/OmitLabel.h"
#include "widgets/lists/CustomListWidget.h"
#include "widgets/lists/LoadFailedView.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayoutItem>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

using Node = OrganisationList_Model::ListData;

const QString kOrganisation = QStringLiteral("组织架构");

Node departmentNode(const QVariant& id, const QString& name)
{
    Node node;
    node.nodeType = OrganisationList_Model::Department;
    node.id = id;
    node.name = name;
    return node;
}

} // namespace

PersonOrDepartmentChooseWidget::PersonOrDepartmentChooseWidget(QWidget* parent, bool departmentsOnly)
    : PersonOrDepartmentChooseWidget(parent, departmentsOnly, OrganisationRequest::Kind::Company)
{
}

PersonOrDepartmentChooseWidget::PersonOrDepartmentChooseWidget(QWidget* parent, bool departmentsOnly,
                                                               OrganisationRequest::Kind kind)
    : QWidget(parent)
    , m_request(kind)
    , m_departmentsOnly(departmentsOnly)
{
    setObjectName(QStringLiteral("PersonOrDepartmentChooseWidget"));
    m_crumbs.append(Crumb{QVariant(), kOrganisation});
    buildUi();
    showCrumbs();
    refreshChips();
    downloadData();
}

void PersonOrDepartmentChooseWidget::buildUi()
{
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral(
        "PersonOrDepartmentChooseWidget{background:#ffffff;}"
        "QLineEdit#lineEdit_search{border:1px solid rgb(221,221,221);border-radius:3px;padding:0 8px;"
        "font:13px \"微软雅黑\";}"
        "QLineEdit#lineEdit_search:focus{border-color:rgb(55,129,241);}"
        "QPushButton#pushButton_crumb{border:0px;font:13px \"微软雅黑\";color:rgb(55,129,241);}"
        "QPushButton#pushButton_crumb:disabled{color:rgb(40,40,40);}"
        "QLabel{font:13px \"微软雅黑\";color:rgb(140,140,140);}"
        "#frame_chosen{border-left:1px solid rgb(230,230,230);}"
        "QScrollArea#scrollArea_chosen,ApplicationItemChooseView{background:transparent;}"
        "QLabel#label_status{color:rgb(220,70,70);}"
        "QPushButton#pushButton_sure,QPushButton#pushButton_cancel,QPushButton#pushButton_clear{"
        "border:1px solid rgb(55,129,241);border-radius:3px;font:13px \"微软雅黑\";color:rgb(55,129,241);"
        "background:white;}"
        "QPushButton#pushButton_sure{background:rgb(55,129,241);color:white;}"
        "QPushButton#pushButton_sure:disabled{background:rgb(160,190,240);border-color:rgb(160,190,240);}"
        "QPushButton#pushButton_clear{border:0px;}"));

    m_search = new CustomLineEdit(this);
    m_search->setObjectName(QStringLiteral("lineEdit_search"));
    m_search->setPlaceholderText(m_departmentsOnly ? QStringLiteral("搜索部门")
                                                   : QStringLiteral("搜索部门、姓名或手机号"));
    m_search->setClearButtonEnabled(true);
    m_search->setFixedHeight(32);
    connect(m_search, &CustomLineEdit::valueChange, this, &PersonOrDepartmentChooseWidget::searchChange);
    // Return searches at once instead of after the pause.
    connect(m_search, &QLineEdit::returnPressed, this, [this] { searchChange(m_search->text()); });

    auto* crumbBar = new QWidget(this);
    crumbBar->setObjectName(QStringLiteral("widget_crumbs"));
    crumbBar->setFixedHeight(30);
    m_crumbLayout = new QHBoxLayout(crumbBar);
    m_crumbLayout->setContentsMargins(4, 0, 4, 0);
    m_crumbLayout->setSpacing(4);

    m_list = new CustomListWidget(this);
    m_list->setObjectName(QStringLiteral("list_organisation"));
    m_failed = new LoadFailedView(m_list);
    m_failed->hide();
    m_list->installEventFilter(m_failed);
    connect(m_failed, &LoadFailedView::retry, this, &PersonOrDepartmentChooseWidget::downloadData);

    auto* left = new QVBoxLayout;
    left->setSpacing(6);
    left->addWidget(crumbBar);
    left->addWidget(m_list, 1);

    auto* chosenFrame = new QFrame(this);
    chosenFrame->setObjectName(QStringLiteral("frame_chosen"));
    chosenFrame->setFixedWidth(240);
    m_count = new QLabel(chosenFrame);
    m_count->setObjectName(QStringLiteral("label_chosenCount"));
    m_clear = new QPushButton(QStringLiteral("清空"), chosenFrame);
    m_clear->setObjectName(QStringLiteral("pushButton_clear"));
    m_clear->setCursor(Qt::PointingHandCursor);
    connect(m_clear, &QPushButton::clicked, this, [this] {
        m_chosen.clear();
        chosenChanged();
    });
    m_chips = new ApplicationItemChooseView;
    m_chips->setObjectName(QStringLiteral("view_chosen"));
    auto* chipArea = new QScrollArea(chosenFrame);
    chipArea->setObjectName(QStringLiteral("scrollArea_chosen"));
    chipArea->setWidgetResizable(true);
    chipArea->setFrameShape(QFrame::NoFrame);
    chipArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    chipArea->setWidget(m_chips);
    auto* chosenHead = new QHBoxLayout;
    chosenHead->addWidget(m_count);
    chosenHead->addStretch();
    chosenHead->addWidget(m_clear);
    auto* chosenLayout = new QVBoxLayout(chosenFrame);
    chosenLayout->setContentsMargins(12, 0, 0, 0);
    chosenLayout->addLayout(chosenHead);
    chosenLayout->addWidget(chipArea, 1);

    auto* body = new QHBoxLayout;
    body->setSpacing(12);
    body->addLayout(left, 1);
    body->addWidget(chosenFrame);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("label_status"));
    m_status->setTextFormat(Qt::PlainText);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("pushButton_cancel"));
    cancel->setFixedSize(80, 30);
    cancel->setCursor(Qt::PointingHandCursor);
    connect(cancel, &QPushButton::clicked, this, &PersonOrDepartmentChooseWidget::closeWidget);
    m_sure = new QPushButton(QStringLiteral("确定"), this);
    m_sure->setObjectName(QStringLiteral("pushButton_sure"));
    m_sure->setFixedSize(80, 30);
    m_sure->setCursor(Qt::PointingHandCursor);
    connect(m_sure, &QPushButton::clicked, this, &PersonOrDepartmentChooseWidget::dealSure);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_status, 1);
    bottom->addWidget(cancel);
    bottom->addWidget(m_sure);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(10);
    layout->addWidget(m_search);
    layout->addLayout(body, 1);
    layout->addLayout(bottom);
}

void PersonOrDepartmentChooseWidget::setChosen(const QList<QVariantMap>& list)
{
    m_chosen.setChosen(list);
    chosenChanged();
}

QStringList PersonOrDepartmentChooseWidget::crumbTexts() const
{
    QStringList texts;
    for (const Crumb& crumb : m_crumbs)
        texts.append(crumb.name);
    return texts;
}

void PersonOrDepartmentChooseWidget::downloadData()
{
    const QString deptId = m_key.isEmpty() ? m_crumbs.last().id.toString() : QString();
    m_failed->hide();
    m_list->clearItems();
    m_list->showWaitPage();
    send(m_current, m_request.listUrl(), OrganisationRequest::listParams(deptId, m_key, m_departmentsOnly),
         &PersonOrDepartmentChooseWidget::dealData, &PersonOrDepartmentChooseWidget::dealLoadFail);
}

void PersonOrDepartmentChooseWidget::send(QPointer<NetRequestObjecet>& newest, const QString& url,
                                          const QVariantMap& params,
                                          void (PersonOrDepartmentChooseWidget::*success)(const QJsonValue&),
                                          void (PersonOrDepartmentChooseWidget::*failure)(const QString&))
{
    auto* request = new NetRequestObjecet(this);
    newest = request;
    QPointer<NetRequestObjecet>* slot = &newest;
    connect(request, &NetRequestObjecet::loadSuccess, this, [this, request, slot, success](const QJsonValue& value) {
        if (request == *slot)
            (this->*success)(value);
    });
    connect(request, &NetRequestObjecet::loadFail, this, [this, request, slot, failure] {
        if (request == *slot)
            (this->*failure)(request->failureReason());
    });
    connect(request, &NetRequestObjecet::loadFinish, request, &QObject::deleteLater);
    request->sendParams(url, params);
}

void PersonOrDepartmentChooseWidget::searchChange(const QString& text)
{
    const QString key = OrganisationRequest::searchKey(text);
    if (key == m_key)
        return;
    m_key = key;
    showCrumbs();
    downloadData();
}

void PersonOrDepartmentChooseWidget::dealData(const QJsonValue& value)
{
    const OrganisationList_Model model(value);
    // A joint sale's organisation goes by its name; a company's starts with the company itself.
    if (m_request.kind() == OrganisationRequest::Kind::JointSale && !model.title.isEmpty()
        && m_crumbs.first().name != model.title) {
        m_crumbs.first().name = model.title;
        showCrumbs();
    }
    m_list->clearItems();
    QList<Node> nodes = model.departments;
    if (!m_departmentsOnly)
        nodes += model.people;
    const bool searching = !m_key.isEmpty();
    for (const Node& node : qAsConst(nodes)) {
        auto* row = new OrganisationNodeItemView(node, searching);
        connect(row, &OrganisationNodeItemView::chooseToggled, this, [this, node](bool chosen) {
            if (chosen)
                m_chosen.choose(node, false);
            else
                m_chosen.remove(node.key());
            chosenChanged();
        });
        connect(row, &OrganisationNodeItemView::withDownToggled, this, [this, node](bool withDown) {
            m_chosen.choose(node, withDown);
            chosenChanged();
        });
        connect(row, &OrganisationNodeItemView::openClicked, this, [this, node] { openDepartment(node); });
        m_list->addItemWidget(row);
    }
    refreshRows();
}

void PersonOrDepartmentChooseWidget::dealLoadFail(const QString& reason)
{
    m_list->clearItems();
    m_failed->setReason(reason);
    m_failed->setGeometry(m_list->rect());
    m_failed->show();
    m_failed->raise();
}

void PersonOrDepartmentChooseWidget::openDepartment(const Node& node)
{
    // A search result's way down from the top is known by name only: the trail starts again there.
    if (!m_key.isEmpty()) {
        leaveSearch();
        m_crumbs = m_crumbs.mid(0, 1);
    }
    m_crumbs.append(Crumb{node.id, node.name});
    showCrumbs();
    downloadData();
}

void PersonOrDepartmentChooseWidget::openCrumb(int index)
{
    if (index < 0 || index >= m_crumbs.size())
        return;
    leaveSearch();
    m_crumbs = m_crumbs.mid(0, index + 1);
    showCrumbs();
    downloadData();
}

void PersonOrDepartmentChooseWidget::leaveSearch()
{
    // Emptied first, so the pause signal of the cleared field finds nothing to do.
    m_key.clear();
    m_search->clear();
}

void PersonOrDepartmentChooseWidget::showCrumbs()
{
    while (QLayoutItem* item = m_crumbLayout->takeAt(0)) {
        if (QWidget* widget = item->widget())
            widget->deleteLater();
        delete item;
    }
    const bool searching = !m_key.isEmpty();
    for (int i = 0; i < m_crumbs.size(); ++i) {
        if (i > 0)
            m_crumbLayout->addWidget(new QLabel(QStringLiteral("›")));
        auto* crumb = new QPushButton(MnemonicText::escaped(m_crumbs.at(i).name));
        crumb->setObjectName(QStringLiteral("pushButton_crumb"));
        crumb->setCursor(Qt::PointingHandCursor);
        // The department on screen is where the trail ends; while searching every step leads back.
        crumb->setEnabled(searching || i + 1 < m_crumbs.size());
        connect(crumb, &QPushButton::clicked, this, [this, i] { openCrumb(i); });
        m_crumbLayout->addWidget(crumb);
    }
    if (searching) {
        m_crumbLayout->addWidget(new QLabel(QStringLiteral("›")));
        auto* title = new OmitLabel;
        title->setObjectName(QStringLiteral("label_searchTitle"));
        title->setText(QStringLiteral("搜索“%1”").arg(m_key));
        m_crumbLayout->addWidget(title, 1);
    } else {
        m_crumbLayout->addStretch();
    }
}

QString PersonOrDepartmentChooseWidget::coveringCrumb() const
{
    if (!m_key.isEmpty())
        return QString();
    for (int i = 1; i < m_crumbs.size(); ++i) {
        if (m_chosen.withDown(departmentNode(m_crumbs.at(i).id, m_crumbs.at(i).name)))
            return ChosenOrganisation::chipText(ChosenOrganisation::toMap(
                departmentNode(m_crumbs.at(i).id, m_crumbs.at(i).name), true, false));
    }
    return QString();
}

void PersonOrDepartmentChooseWidget::refreshRows()
{
    const QString coveredBy = coveringCrumb();
    QListWidget* list = m_list->listWidget();
    for (int row = 0; row < list->count(); ++row) {
        auto* view = qobject_cast<OrganisationNodeItemView*>(list->itemWidget(list->item(row)));
        if (!view)
            continue;
        const Node& node = view->node();
        const bool covered = !coveredBy.isEmpty() && !node.isPerson();
        view->setState(m_chosen.contains(node), m_chosen.withDown(node), covered, coveredBy);
    }
}

void PersonOrDepartmentChooseWidget::refreshChips()
{
    QList<QVariantMap> chips;
    for (const QVariantMap& entry : m_chosen.entries()) {
        QVariantMap chip = entry;
        chip.insert(QStringLiteral("title"), ChosenOrganisation::chipText(entry));
        chips.append(chip);
    }
    m_chips->setHouseBookItem(chips, 0);
    for (ChoosePeople_Item* chip : m_chips->chips()) {
        const QString key = ChosenOrganisation::keyOf(chip->map());
        connect(chip, &ChoosePeople_Item::deleteBtnClick, this, [this, key] {
            m_chosen.remove(key);
            chosenChanged();
        });
    }
    m_count->setText(QStringLiteral("已选择 %1 项").arg(m_chosen.size()));
    m_clear->setEnabled(!m_chosen.isEmpty());
}

void PersonOrDepartmentChooseWidget::chosenChanged()
{
    // A confirmation still waiting for the sub-departments was for the choice before this change.
    if (m_subRequest) {
        m_subRequest = nullptr;
        m_sure->setEnabled(true);
    }
    m_status->clear();
    refreshChips();
    refreshRows();
}

void PersonOrDepartmentChooseWidget::dealSure()
{
    const QStringList withDown = m_chosen.withDownIds();
    if (withDown.isEmpty()) {
        report({});
        return;
    }
    // The departments below those chosen with everything below them travel with the choice.
    m_sure->setEnabled(false);
    m_status->clear();
    send(m_subRequest, m_request.subUrl(), OrganisationRequest::subParams(withDown),
         &PersonOrDepartmentChooseWidget::dealSubDepartments, &PersonOrDepartmentChooseWidget::dealSubDepartmentsFail);
}

void PersonOrDepartmentChooseWidget::dealSubDepartments(const QJsonValue& value)
{
    m_subRequest = nullptr;
    m_sure->setEnabled(true);
    report(OrganisationList_Model(value).departments);
}

void PersonOrDepartmentChooseWidget::dealSubDepartmentsFail(const QString& reason)
{
    m_subRequest = nullptr;
    m_sure->setEnabled(true);
    m_status->setText(QStringLiteral("无法读取下级部门：%1").arg(reason));
}

void PersonOrDepartmentChooseWidget::report(const QList<Node>& subDepartments)
{
    emit backChoose(m_chosen.result(subDepartments), m_chosen.description());
    emit closeWidget();
}
