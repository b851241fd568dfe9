#include "settings/style/MircroWebsiteStyleSetWidget.h"

#include "net/http/Endpoints.h"
#include "net/http/FormBody.h"
#include "net/http/JsonRows.h"
#include "net/http/NetRequestObjecet.h"
#include "settings/apps/MircroWebSiteAddCustomAppWidget.h"
#include "settings/apps/MircroWebsiteEditAppWidget.h"
#include "settings/topicons/MircroWebSiteTopTherePhotoView.h"
#include "widgets/inputs/ButtonStyles.h"
#include "widgets/lists/LoadFailedView.h"
#include "widgets/lists/RequestWait.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/popups/PopupLauncher.h"
#include "widgets/popups/SaveOutcome.h"
#include "widgets/tiles/ItemButtonWidget.h"

#include "DataCenter.h"

#include <QButtonGroup>
#include <QCursor>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

struct Colour
{
    const char* name;
    QColor colour;
};

const QList<Colour>& colours()
{
    static const QList<Colour> list{{"蓝色", QColor(50, 143, 235)},   {"红色", QColor(255, 1, 1)},
                                    {"橘红色", QColor(233, 70, 8)},   {"橘黄色", QColor(246, 168, 0)},
                                    {"绿色", QColor(0, 171, 133)},    {"白色", QColor(255, 255, 255)}};
    return list;
}

QLabel* sectionTitle(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setStyleSheet(QStringLiteral("font-weight:bold;color:#333333;"));
    return label;
}

// A small picture of a bottom bar: `style` decides how many entries and whether the middle one stands out.
QPixmap barPreview(int style)
{
    QPixmap pixmap(90, 36);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(220, 220, 220));
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    const int count = style <= 2 ? 4 : 5;
    const int step = pixmap.width() / count;
    for (int i = 0; i < count; ++i) {
        const bool raised = style % 2 == 0 && i == count / 2;
        painter.setBrush(raised ? QColor(50, 143, 235) : QColor(170, 170, 170));
        painter.setPen(Qt::NoPen);
        const int size = raised ? 16 : 10;
        painter.drawEllipse(QPoint(step * i + step / 2, raised ? 14 : 16), size / 2, size / 2);
        if (style >= 4) {
            painter.setBrush(QColor(200, 200, 200));
            painter.drawRect(step * i + step / 2 - 7, 27, 14, 3);
        }
    }
    return pixmap;
}

} // namespace

MircroWebsiteStyleSetWidget::MircroWebsiteStyleSetWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MircroWebsiteStyleSetWidget"));
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(24, 16, 24, 16);
    column->setSpacing(14);

    column->addWidget(sectionTitle(QStringLiteral("选择页面主题颜色："), content));
    column->addWidget(colourRow());

    auto* iconsTitle = new QHBoxLayout;
    iconsTitle->addWidget(sectionTitle(QStringLiteral("更换首页三图标："), content));
    auto* iconsHint = new QLabel(QStringLiteral("(推荐尺寸109x92)"), content);
    iconsHint->setStyleSheet(QStringLiteral("color:#999999;"));
    iconsTitle->addWidget(iconsHint);
    iconsTitle->addStretch();
    column->addLayout(iconsTitle);
    m_iconsLayout = new QHBoxLayout;
    m_iconsLayout->setSpacing(20);
    for (int i = 0; i < 3; ++i) {
        auto* view = new MircroWebSiteTopTherePhotoView(content);
        connect(view, &MircroWebSiteTopTherePhotoView::moveBefore, this, [this, view]() { moveTopThreeIcon(view, -1); });
        connect(view, &MircroWebSiteTopTherePhotoView::moveAfter, this, [this, view]() { moveTopThreeIcon(view, 1); });
        m_iconsLayout->addWidget(view);
    }
    m_iconsLayout->addStretch();
    column->addLayout(m_iconsLayout);

    column->addWidget(sectionTitle(QStringLiteral("更换应用图标或名称："), content));
    m_appArea = new QWidget(content);
    m_appArea->setObjectName(QStringLiteral("appArea"));
    m_appGrid = new QGridLayout(m_appArea);
    m_appGrid->setContentsMargins(0, 0, 0, 0);
    m_appGrid->setSpacing(0);
    m_appGrid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    column->addWidget(m_appArea);

    column->addWidget(sectionTitle(QStringLiteral("选择底部导航栏的样式："), content));
    column->addWidget(styleRow());
    column->addStretch();

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
    connect(cancel, &QPushButton::clicked, this, &MircroWebsiteStyleSetWidget::closeWidget);
    connect(apply, &QPushButton::clicked, this, &MircroWebsiteStyleSetWidget::sureButtonClick);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(apply);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 12);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);

    m_menu = new QMenu(this);
    m_menu->setStyleSheet(QStringLiteral("QMenu{background-color:rgb(89,87,87);border: 1px solid rgb(24,137,240);}"
                                         "QMenu::item{color:rgb(230,230,230);font-size:13px;padding:4px 24px;}"
                                         "QMenu::item:selected{background:rgb(24,137,240);}"));

    m_loadFailed = LoadFailedView::over(scroll);
    connect(m_loadFailed, &LoadFailedView::retry, this, [this]() {
        m_loadFailed->hide();
        if (!m_model)
            download_set();
        if (!m_iconsLoaded)
            downloadThreeIconConfig();
    });
    // "应用" sends the top icons: before they were read it would send none.
    apply->setEnabled(false);
    download_set();
    downloadThreeIconConfig();
}

QWidget* MircroWebsiteStyleSetWidget::colourRow()
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    m_themeGroup = new QButtonGroup(this);
    for (int i = 0; i < colours().size(); ++i) {
        const Colour& colour = colours().at(i);
        auto* button = new QRadioButton(QString::fromUtf8(colour.name), row);
        button->setObjectName(QStringLiteral("themeButton%1").arg(i + 1));
        button->setCursor(Qt::PointingHandCursor);
        const bool white = i == 5;
        // The swatch is 24 px with or without its ring: the label is placed by the unchecked size.
        button->setStyleSheet(QStringLiteral("QRadioButton{spacing:6px;}"
                                             "QRadioButton::indicator{width:%2px;height:%2px;border-radius:12px;background:%1;"
                                             "border:%3;}"
                                             "QRadioButton::indicator:checked{width:18px;height:18px;border:3px solid #333333;}")
                                  .arg(colour.colour.name(), white ? QStringLiteral("22") : QStringLiteral("24"),
                                       white ? QStringLiteral("1px solid #bbbbbb") : QStringLiteral("none")));
        m_themeGroup->addButton(button, i + 1);
        connect(button, &QRadioButton::clicked, this, &MircroWebsiteStyleSetWidget::updateTheme);
        layout->addWidget(button);
        m_themeButtons.append(button);
    }
    layout->addStretch();
    return row;
}

QWidget* MircroWebsiteStyleSetWidget::styleRow()
{
    auto* row = new QWidget;
    // Three to a row: five previews side by side are wider than the settings popup.
    const int perRow = 3;
    auto* layout = new QGridLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(16);
    layout->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_styleGroup = new QButtonGroup(this);
    const QStringList names{QStringLiteral("样式一"), QStringLiteral("样式二"), QStringLiteral("样式三"), QStringLiteral("样式四"),
                            QStringLiteral("样式五")};
    for (int i = 0; i < names.size(); ++i) {
        auto* button = new QRadioButton(names.at(i), row);
        button->setObjectName(QStringLiteral("styleButton%1").arg(i + 1));
        button->setIcon(QIcon(barPreview(i + 1)));
        button->setIconSize(QSize(90, 36));
        button->setCursor(Qt::PointingHandCursor);
        m_styleGroup->addButton(button, i + 1);
        connect(button, &QRadioButton::clicked, this, &MircroWebsiteStyleSetWidget::updateStyle);
        layout->addWidget(button, i / perRow, i % perRow);
        m_styleButtons.append(button);
    }
    return row;
}

int MircroWebsiteStyleSetWidget::appAreaHeight(int count)
{
    return (count + AppsPerRow - 1) / AppsPerRow * 100;
}

int MircroWebsiteStyleSetWidget::checkedCode(const QList<QRadioButton*>& buttons)
{
    for (int i = 0; i < buttons.size(); ++i) {
        if (buttons.at(i)->isChecked())
            return i + 1;
    }
    return 1;
}

void MircroWebsiteStyleSetWidget::checkCode(const QList<QRadioButton*>& buttons, int code)
{
    // A code outside the buttons checks none: the group must let go of its button first.
    QButtonGroup* group = buttons.isEmpty() ? nullptr : buttons.first()->group();
    if (group)
        group->setExclusive(false);
    for (int i = 0; i < buttons.size(); ++i)
        buttons.at(i)->setChecked(i + 1 == code);
    if (group)
        group->setExclusive(true);
}

QList<MircroWebSiteTopTherePhotoView*> MircroWebsiteStyleSetWidget::topIconViews() const
{
    QList<MircroWebSiteTopTherePhotoView*> views;
    for (int i = 0; i < m_iconsLayout->count(); ++i) {
        if (auto* view = qobject_cast<MircroWebSiteTopTherePhotoView*>(m_iconsLayout->itemAt(i)->widget()))
            views.append(view);
    }
    return views;
}

void MircroWebsiteStyleSetWidget::download_set()
{
    NetRequestObjecet* request = RequestWait::send(this, Api::mtoreGetmstorestyleconfig(), FormBody(), this);
    connect(request, &NetRequestObjecet::loadSuccess, this, &MircroWebsiteStyleSetWidget::deal_setData);
    connect(request, &NetRequestObjecet::loadFail, this, [this, request]() {
        loadFailed(request->failureReason(), m_model != nullptr);
    });
}

void MircroWebsiteStyleSetWidget::loadFailed(const QString& reason, bool shownBefore)
{
    // A failed reload leaves what the page shows as it is.
    if (!shownBefore)
        m_loadFailed->showReason(reason);
}

void MircroWebsiteStyleSetWidget::partLoaded()
{
    if (!m_model || !m_iconsLoaded)
        return;
    m_loadFailed->hide();
}

void MircroWebsiteStyleSetWidget::deal_setData(QJsonValue value)
{
    auto* model = new MircroWebsiteStyleSet_Model(value, this);
    if (m_model)
        m_model->deleteLater();
    m_model = model;
    showContent();
}

void MircroWebsiteStyleSetWidget::showContent()
{
    if (!m_model)
        return;
    m_savedZhuti = m_model->zhuti;
    m_savedDibu = m_model->dibu;
    checkCode(m_themeButtons, m_model->zhuti);
    for (ItemButtonWidget* tile : qAsConst(m_tiles)) {
        tile->hide();
        tile->deleteLater();
    }
    m_tiles.clear();
    const QList<MircroWebsiteStyleSet_Model::APP> apps = MircroWebsiteStyleSet_Model::tilesFor(m_model->apps);
    for (int i = 0; i < apps.size(); ++i) {
        const MircroWebsiteStyleSet_Model::APP& app = apps.at(i);
        auto* tile = new ItemButtonWidget(m_appArea);
        tile->setData(app.id, app.title, app.url, app.type);
        connect(tile, &ItemButtonWidget::clickItem, this, [this, app]() {
            if (app.type == 0)
                editSystemApp(app);
            else
                addCustomApp(app);
        });
        connect(tile, &ItemButtonWidget::rightClickItem, this, [this, app]() {
            if (app.type == 1)
                showMenu(app);
        });
        m_appGrid->addWidget(tile, i / AppsPerRow, i % AppsPerRow);
        tile->show();
        m_tiles.append(tile);
    }
    m_appArea->setMinimumHeight(appAreaHeight(apps.size()));
    checkCode(m_styleButtons, m_model->dibu);
    partLoaded();
    emit contentShown();
}

void MircroWebsiteStyleSetWidget::downloadThreeIconConfig()
{
    NetRequestObjecet* request = RequestWait::send(this, Api::setwmenu(), ownerBody(), this);
    connect(request, &NetRequestObjecet::loadSuccess, this, &MircroWebsiteStyleSetWidget::dealThreeIconConfig);
    connect(request, &NetRequestObjecet::loadFail, this, [this, request]() {
        loadFailed(request->failureReason(), m_iconsLoaded);
    });
}

FormBody MircroWebsiteStyleSetWidget::ownerBody()
{
    FormBody body;
    body.add(QStringLiteral("companyid"), DataCenter::CompanyID).add(QStringLiteral("cityid"), DataCenter::CityID);
    return body;
}

void MircroWebsiteStyleSetWidget::dealThreeIconConfig(QJsonValue value)
{
    if (!value.isArray()) {
        loadFailed(QStringLiteral("服务返回的数据无法识别"), m_iconsLoaded);
        return;
    }
    const QList<MircroWebSiteTopTherePhotoView*> views = topIconViews();
    const QList<QVariantMap> maps = JsonRows::maps(value.toArray(), views.size());
    for (int i = 0; i < views.size() && i < maps.size(); ++i)
        views.at(i)->setContentData(maps.at(i));
    m_iconsLoaded = true;
    if (auto* apply = findChild<QPushButton*>(QStringLiteral("applyButton")))
        apply->setEnabled(true);
    partLoaded();
}

void MircroWebsiteStyleSetWidget::sendChoice(const QString& key, int code, int* saved, const QList<QRadioButton*>& buttons)
{
    auto* request = new NetRequestObjecet(this);
    connect(request, &NetRequestObjecet::loadFinish, request, &QObject::deleteLater);
    connect(request, &NetRequestObjecet::loadSuccess, this, [this, saved, code]() {
        *saved = code;
        emit choiceSaved(true);
    });
    connect(request, &NetRequestObjecet::loadFail, this, [this, saved, buttons]() {
        checkCode(buttons, *saved);
        emit choiceSaved(false);
    });
    // Snapped back above; the alert says why.
    SaveOutcome::follow(request, this, QString());
    request->sendForm(Api::mtoreMstoreconfig(), FormBody().add(key, code));
}

void MircroWebsiteStyleSetWidget::updateTheme()
{
    sendChoice(QStringLiteral("zhuti"), checkedCode(m_themeButtons), &m_savedZhuti, m_themeButtons);
}

void MircroWebsiteStyleSetWidget::updateStyle()
{
    sendChoice(QStringLiteral("dibu"), checkedCode(m_styleButtons), &m_savedDibu, m_styleButtons);
}

void MircroWebsiteStyleSetWidget::openAppEditor(const QString& title, const QSize& size, QWidget* editor)
{
    CommonAddWidget* popup = PopupLauncher::open(title, size, editor);
    m_popup = popup;
}

void MircroWebsiteStyleSetWidget::appChanged()
{
    if (m_popup)
        m_popup->closeWidget();
    download_set();
    emit updateSetUI();
}

void MircroWebsiteStyleSetWidget::editSystemApp(MircroWebsiteStyleSet_Model::APP model)
{
    auto* editor = new MircroWebsiteEditAppWidget;
    editor->setData(model);
    connect(editor, &MircroWebsiteEditAppWidget::setSuccess, this, &MircroWebsiteStyleSetWidget::appChanged);
    openAppEditor(QStringLiteral("编辑应用"), QSize(512, 432), editor);
}

void MircroWebsiteStyleSetWidget::addCustomApp(MircroWebsiteStyleSet_Model::APP model)
{
    auto* editor = new MircroWebSiteAddCustomAppWidget;
    if (model.id > 0)
        editor->setData(model);
    connect(editor, &MircroWebSiteAddCustomAppWidget::setSuccess, this, &MircroWebsiteStyleSetWidget::appChanged);
    openAppEditor(model.id == -1 ? QStringLiteral("添加自定义应用") : QStringLiteral("编辑自定义应用"), QSize(577, 762), editor);
}

void MircroWebsiteStyleSetWidget::showMenu(MircroWebsiteStyleSet_Model::APP model)
{
    m_menu->clear();
    const int id = model.id;
    QAction* remove = m_menu->addAction(QStringLiteral("删除"));
    connect(remove, &QAction::triggered, this, [this, id]() { deleteApp(id); });
    m_menu->popup(QCursor::pos());
}

void MircroWebsiteStyleSetWidget::deleteApp(int id)
{
    AlertWidget* alert = AlertWidget::askConfirm(QStringLiteral("您确定要删除该应用吗?"), AlertWidget::Tip, QStringLiteral("删除"));
    connect(alert, &AlertWidget::sureClick, this, [this, id]() {
        NetRequestObjecet* request =
            RequestWait::send(this, Api::mtoreCustomappdelete(), FormBody().add(QStringLiteral("id"), id), this);
        connect(request, &NetRequestObjecet::loadSuccess, this, &MircroWebsiteStyleSetWidget::appChanged);
    });
}

void MircroWebsiteStyleSetWidget::moveTopThreeIcon(MircroWebSiteTopTherePhotoView* view, int type)
{
    const int position = m_iconsLayout->indexOf(view);
    int target = -1;
    if (type == -1 && position >= 1)
        target = position - 1;
    else if (type == 1 && position >= 0 && position <= 1)
        target = position + 1;
    if (target < 0)
        return;
    m_iconsLayout->removeWidget(view);
    m_iconsLayout->insertWidget(target, view);
}

void MircroWebsiteStyleSetWidget::sureButtonClick()
{
    QJsonArray icons;
    for (const MircroWebSiteTopTherePhotoView* view : topIconViews())
        icons.append(QJsonObject::fromVariantMap(view->getData()));
    FormBody body = ownerBody();
    body.add(QStringLiteral("content"), QString::fromUtf8(QJsonDocument(icons).toJson(QJsonDocument::Compact)));
    NetRequestObjecet* request = RequestWait::send(this, Api::setwmenu(), body, this);
    SaveOutcome::follow(request, this, QStringLiteral("设置微官网风格成功！"),
                        findChild<QPushButton*>(QStringLiteral("applyButton")), SaveOutcome::Confirmation::Tip);
}
