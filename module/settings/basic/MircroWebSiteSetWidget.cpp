#include "settings/basic/MircroWebSiteSetWidget.h"

#include "net/http/Endpoints.h"
#include "net/http/FormBody.h"
#include "net/http/NetRequestObjecet.h"
#include "settings/basic/BasicSettingsMerge.h"
#include "settings/basic/MircroWebSiteSonSetWidget.h"
#include "widgets/drafts/EditorDraft.h"
#include "widgets/inputs/ButtonStyles.h"
#include "widgets/lists/LoadFailedView.h"
#include "widgets/lists/RequestWait.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/popups/PopupLauncher.h"
#include "widgets/popups/SaveOutcome.h"
#include "widgets/sort/SortWidget.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

const int kGridColumns = 5;

QWidget* row(QWidget* parent)
{
    auto* widget = new QWidget(parent);
    auto* layout = new QHBoxLayout(widget);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(14);
    return widget;
}

} // namespace

MircroWebSiteSetWidget::MircroWebSiteSetWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MircroWebSiteSetWidget"));
    auto* content = new QWidget;
    auto* form = new QVBoxLayout(content);
    form->setContentsMargins(24, 16, 24, 16);
    form->setSpacing(10);
    auto addTitled = [content, form](const QString& title, QWidget* body) {
        auto* label = new QLabel(title, content);
        label->setStyleSheet(QStringLiteral("font-weight:bold;color:#333333;"));
        form->addWidget(label);
        form->addWidget(body);
    };

    QWidget* shenhe = row(content);
    m_shenhe = addGroup(shenhe, {QStringLiteral("开启"), QStringLiteral("关闭")});
    addTitled(QStringLiteral("推送房源审核："), shenhe);
    QWidget* push = row(content);
    m_push = addGroup(push, {QStringLiteral("有效房源自动推送"), QStringLiteral("图片房源"), QStringLiteral("手动推送")});
    addTitled(QStringLiteral("推送设置："), push);

    QWidget* contact = row(content);
    auto* contactLayout = static_cast<QHBoxLayout*>(contact->layout());
    m_contact = addGroup(contact, {QStringLiteral("默认"), QStringLiteral("经纪人")});
    m_dayArea = new QWidget(contact);
    auto* dayLayout = new QHBoxLayout(m_dayArea);
    dayLayout->setContentsMargins(0, 0, 0, 0);
    m_days = new QLineEdit(m_dayArea);
    m_days->setObjectName(QStringLiteral("dayEdit"));
    m_days->setFixedSize(50, 26);
    m_days->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]+$")), m_days));
    dayLayout->addWidget(m_days);
    dayLayout->addWidget(new QLabel(QStringLiteral("天"), m_dayArea));
    contactLayout->insertWidget(contactLayout->count() - 1, m_dayArea);
    const QList<QRadioButton*> owner = addGroup(contact, {QStringLiteral("房主")});
    // On a line of its own under the modes: beside them the row is wider than the settings popup.
    m_ownerArea = new QWidget(content);
    auto* ownerLayout = new QHBoxLayout(m_ownerArea);
    ownerLayout->setContentsMargins(22, 0, 0, 0);
    m_ownerNumber = new QCheckBox(QStringLiteral("公布房主号码"), m_ownerArea);
    m_ownerChat = new QCheckBox(QStringLiteral("允许与房主聊天"), m_ownerArea);
    ownerLayout->addWidget(m_ownerNumber);
    ownerLayout->addWidget(m_ownerChat);
    ownerLayout->addStretch();
    const QList<QRadioButton*> hidden = addGroup(contact, {QStringLiteral("不显示")});
    m_contact << owner << hidden;
    auto* contactGroup = new QButtonGroup(this);
    for (QRadioButton* button : qAsConst(m_contact))
        contactGroup->addButton(button);
    addTitled(QStringLiteral("联系人推广设置："), contact);
    form->addWidget(m_ownerArea);

    QWidget* search = row(content);
    m_search = addGroup(search, {QStringLiteral("样式一"), QStringLiteral("样式二")});
    addTitled(QStringLiteral("首页搜索框样式："), search);
    QWidget* menu = row(content);
    m_menu = addGroup(menu, {QStringLiteral("1行4个"), QStringLiteral("1行5个"), QStringLiteral("2行8个"), QStringLiteral("2行10个")});
    addTitled(QStringLiteral("小程序首页图标样式："), menu);

    const QStringList gridTitles{QStringLiteral("小程序首页图标显示与排序(拖动排序)："),
                                 QStringLiteral("小程序首页搜索范围显示与排序(拖动排序)："),
                                 QStringLiteral("小程序首页猜你喜欢类别显示与排序(拖动排序)："), QStringLiteral("小程序推送提醒：")};
    const QStringList gridNames{QStringLiteral("menuSortWidget"), QStringLiteral("searchSortWidget"),
                                QStringLiteral("caiSortWidget"), QStringLiteral("pushSortWidget")};
    for (int i = 0; i < gridTitles.size(); ++i) {
        auto* grid = new SortWidget(content);
        grid->setObjectName(gridNames.at(i));
        addTitled(gridTitles.at(i), grid);
        m_grids.append(grid);
    }
    m_grids.first()->setButtonIds({16, 17, 18, 19, 20});
    form->addStretch();

    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    auto* apply = new QPushButton(QStringLiteral("应用"), this);
    apply->setObjectName(QStringLiteral("applyButton"));
    apply->setStyleSheet(ButtonStyles::primary());
    for (QPushButton* button : {cancel, apply}) {
        button->setFixedSize(90, 32);
        button->setCursor(Qt::PointingHandCursor);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(apply);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);

    connect(apply, &QPushButton::clicked, this, &MircroWebSiteSetWidget::sureButtonClick);
    connect(cancel, &QPushButton::clicked, this, &MircroWebSiteSetWidget::closeWidget);
    m_dayArea->hide();
    m_ownerArea->hide();
    for (int i : {0, 1, 3})
        connect(m_contact.at(i), &QRadioButton::clicked, this, &MircroWebSiteSetWidget::agentStateChange);
    connect(m_contact.at(2), &QRadioButton::clicked, this, [this]() {
        hostClickSure();
        agentStateChange();
    });
    connect(m_grids.first(), &SortWidget::btnClick, this, &MircroWebSiteSetWidget::itemBtnClick);
    m_loadFailed = LoadFailedView::over(scroll);
    connect(m_loadFailed, &LoadFailedView::retry, this, &MircroWebSiteSetWidget::downloadData);
    // Applied before the settings were read, the empty form would overwrite them.
    apply->setEnabled(false);

    // The company's settings: one record. Taken whole, as the map a save sends.
    m_draft = new EditorDraft(this, QStringLiteral("basicSettings"));
    m_draft->setRecord(QStringLiteral("settings"));
    m_draft->addField(
        QStringLiteral("config"), [this]() -> QJsonValue { return QJsonObject::fromVariantMap(this->form().toMap(m_config)); },
        [this](const QJsonValue& value) {
            const QVariantMap config = value.toObject().toVariantMap();
            for (const QString& key : BasicSettingsForm::subSettingKeys()) {
                if (config.contains(key))
                    m_config.insert(key, config.value(key));
            }
            showForm(BasicSettingsForm::fromConfig(config));
        });
    downloadData();
}

QList<QRadioButton*> MircroWebSiteSetWidget::addGroup(QWidget* parent, const QStringList& texts)
{
    auto* layout = static_cast<QHBoxLayout*>(parent->layout());
    if (layout->count() == 0)
        layout->addStretch();
    auto* group = new QButtonGroup(parent);
    QList<QRadioButton*> buttons;
    for (const QString& text : texts) {
        auto* button = new QRadioButton(text, parent);
        button->setCursor(Qt::PointingHandCursor);
        group->addButton(button);
        layout->insertWidget(layout->count() - 1, button);
        buttons.append(button);
    }
    return buttons;
}

QRadioButton* MircroWebSiteSetWidget::button(const QString& text) const
{
    for (QRadioButton* radio : findChildren<QRadioButton*>()) {
        if (radio->text() == text)
            return radio;
    }
    return nullptr;
}

void MircroWebSiteSetWidget::check(const QList<QRadioButton*>& buttons, int index)
{
    if (index < 0 || index >= buttons.size())
        return;
    buttons.at(index)->setChecked(true);
}

int MircroWebSiteSetWidget::checkedIndex(const QList<QRadioButton*>& buttons)
{
    for (int i = 0; i < buttons.size(); ++i) {
        if (buttons.at(i)->isChecked())
            return i;
    }
    return -1;
}

BasicSettingsForm MircroWebSiteSetWidget::form() const
{
    BasicSettingsForm form;
    const int shenhe = checkedIndex(m_shenhe);
    form.shenhe = shenhe == 0 ? 1 : shenhe == 1 ? 0 : -1;
    form.pushStyle = checkedIndex(m_push) + 1;
    form.moshi = checkedIndex(m_contact);
    form.agentDays = m_days->text();
    form.ownerNumber = m_ownerNumber->isChecked();
    form.ownerChat = m_ownerChat->isChecked();
    form.bsearch = checkedIndex(m_search) + 1;
    form.menutype = checkedIndex(m_menu) + 1;
    form.menushow = m_grids.at(0)->getData();
    form.searchshow = m_grids.at(1)->getData();
    form.caishow = m_grids.at(2)->getData();
    form.pushoption = m_grids.at(3)->getData();
    return form;
}

void MircroWebSiteSetWidget::refresh()
{
    downloadData();
}

void MircroWebSiteSetWidget::downloadData()
{
    m_loadFailed->hide();
    NetRequestObjecet* request = RequestWait::send(this, Api::mtoreGetmstoreconfig(), FormBody(), this);
    connect(request, &NetRequestObjecet::loadSuccess, this, &MircroWebSiteSetWidget::deal_data);
    connect(request, &NetRequestObjecet::loadFail, this, [this, request]() { loadFailed(request->failureReason()); });
}

void MircroWebSiteSetWidget::loadFailed(const QString& reason)
{
    // A failed reload leaves the settings read before, and the user's changes, as they are.
    if (!m_loaded)
        m_loadFailed->showReason(reason);
}

void MircroWebSiteSetWidget::deal_data(QJsonValue value)
{
    if (!value.isObject()) {
        loadFailed(QStringLiteral("服务返回的数据无法识别"));
        return;
    }
    // A reload (the style page's apps changed) must not throw away what the user changed here and
    // has not applied yet: the new values are shown, then the user's changes put back over them.
    const BasicSettingsForm edited = form();
    const BasicSettingsForm shownBefore = m_shown;
    const QVariantMap editedConfig = m_config;
    const QVariantMap fresh = value.toObject().toVariantMap();
    showForm(BasicSettingsForm::fromConfig(fresh));
    m_shown = form();
    showForm(BasicSettingsMerge::form(shownBefore, edited, m_shown));
    m_config = BasicSettingsMerge::config(m_shownConfig, editedConfig, fresh);
    m_shownConfig = fresh;
    m_loaded = true;
    m_loadFailed->hide();
    m_draft->watchInputs(this);
    // What the service holds is in: a draft of it may be offered now.
    if (!m_draft->isStarted())
        m_draft->start();
    if (auto* apply = findChild<QPushButton*>(QStringLiteral("applyButton")))
        apply->setEnabled(true);
    emit dataShown();
}

void MircroWebSiteSetWidget::showForm(const BasicSettingsForm& shown)
{
    check(m_shenhe, shown.shenhe == 1 ? 0 : shown.shenhe == 0 ? 1 : -1);
    check(m_push, shown.pushStyle - 1);
    check(m_contact, shown.moshi);
    if (shown.moshi == 1)
        m_days->setText(shown.agentDays);
    if (shown.moshi == 2) {
        m_ownerNumber->setChecked(shown.ownerNumber);
        m_ownerChat->setChecked(shown.ownerChat);
    }
    agentStateChange();
    check(m_search, shown.bsearch - 1);
    check(m_menu, shown.menutype - 1);
    const QList<QList<QVariantMap>> lists{shown.menushow, shown.searchshow, shown.caishow, shown.pushoption};
    for (int i = 0; i < lists.size(); ++i)
        m_grids.at(i)->setData(lists.at(i), kGridColumns);
}

void MircroWebSiteSetWidget::agentStateChange()
{
    const int moshi = checkedIndex(m_contact);
    if (moshi != 1)
        m_days->clear();
    m_dayArea->setVisible(moshi == 1);
    if (moshi != 2) {
        m_ownerNumber->setChecked(false);
        m_ownerChat->setChecked(false);
    }
    m_ownerArea->setVisible(moshi == 2);
}

void MircroWebSiteSetWidget::hostClickSure()
{
    if (!m_contact.at(2)->isChecked())
        return;
    AlertWidget* alert =
        AlertWidget::askConfirm(QStringLiteral("勾选后，客户在微官网可直接与房主沟通，有飞单风险，请谨慎选择！"));
    connect(alert, &AlertWidget::sureClick, this, [this]() { m_contact.at(2)->setChecked(true); });
    connect(alert, &AlertWidget::cancleClick, this, [this]() {
        m_contact.at(0)->setChecked(true);
        // The owner's options go with the owner mode.
        agentStateChange();
    });
}

void MircroWebSiteSetWidget::itemBtnClick(int id)
{
    const QString key = BasicSettingsForm::subSettingKey(id);
    const QList<QVariantMap> list = key.isEmpty() ? QList<QVariantMap>() : BasicSettingsForm::listOf(m_config.value(key));
    auto* sub = new MircroWebSiteSonSetWidget;
    sub->setData(list);
    CommonAddWidget* popup = PopupLauncher::open(QStringLiteral("设置"), QSize(512, 262), sub);
    m_popup = popup;
    connect(sub, &MircroWebSiteSonSetWidget::backModifyValue, this, [this, popup, key](const QList<QVariantMap>& items) {
        popup->closeWidget();
        if (!key.isEmpty())
            m_config.insert(key, NetRequestObjecet::mapListToJson(items));
        m_draft->changed();
    });
}

void MircroWebSiteSetWidget::sureButtonClick()
{
    const BasicSettingsForm current = form();
    const QString message = current.validate();
    if (!message.isEmpty()) {
        AlertWidget::showWarning(message);
        return;
    }
    NetRequestObjecet* request =
        RequestWait::send(this, Api::mtoreMstoreconfig(), FormBody::fromMap(current.toMap(m_config)), this);
    SaveOutcome::follow(request, this, QStringLiteral("设置微官网设置成功！"),
                        findChild<QPushButton*>(QStringLiteral("applyButton")), SaveOutcome::Confirmation::Tip);
    connect(request, &NetRequestObjecet::loadSuccess, this, &MircroWebSiteSetWidget::saved);
    // The service now holds what was applied: a later reload keeps only what changes after this,
    // and takes what another desktop changes since.
    const QVariantMap appliedConfig = m_config;
    connect(request, &NetRequestObjecet::loadSuccess, this, [this, current, appliedConfig]() {
        m_shown = current;
        m_shownConfig = appliedConfig;
    });
}
