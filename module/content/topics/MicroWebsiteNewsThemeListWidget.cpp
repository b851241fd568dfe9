#include "content/topics/MicroWebsiteNewsThemeListWidget.h"

#include "content/topics/MicroWebsiteNewsThemeAddWidget.h"
#include "content/topics/MicroWebsiteNewsThemeListItemView.h"
#include "net/http/Endpoints.h"
#include "net/http/FormBody.h"
#include "net/http/JsonRows.h"
#include "net/http/NetRequestObjecet.h"
#include "net/paging/ListPager.h"
#include "net/paging/PagingRules.h"
#include "net/paging/SearchKey.h"
#include "store/UserMessage_DataSqlTable.h"
#include "widgets/inputs/ButtonStyles.h"
#include "widgets/inputs/CustomLineEdit.h"
#include "widgets/lists/CustomListWidget.h"
#include "widgets/lists/LoadFailedView.h"
#include "widgets/lists/PagingBar.h"
#include "widgets/lists/RequestWait.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/popups/PopupLauncher.h"

#include <QHBoxLayout>
#include <QJsonArray>
#include <QJsonObject>
#include <QPushButton>
#include <QVBoxLayout>

MicroWebsiteNewsThemeListWidget::MicroWebsiteNewsThemeListWidget(QWidget* parent)
    : QWidget(parent)
    , m_pager(new ListPager(this, PageSize))
{
    setObjectName(QStringLiteral("MicroWebsiteNewsThemeListWidget"));
    m_search = new CustomLineEdit(this);
    m_search->setObjectName(QStringLiteral("searchEdit"));
    m_search->setPlaceholderText(QStringLiteral("搜索专题标题"));
    m_search->setFixedSize(240, 30);
    connect(m_search, &CustomLineEdit::valueChange, this, [this]() { m_pager->turnTo(1); });
    m_addButton = new QPushButton(QStringLiteral("添加主题"), this);
    m_addButton->setObjectName(QStringLiteral("addThemeButton"));
    m_addButton->setFixedSize(100, 30);
    m_addButton->setCursor(Qt::PointingHandCursor);
    m_addButton->setStyleSheet(ButtonStyles::primary());
    connect(m_addButton, &QPushButton::clicked, this, &MicroWebsiteNewsThemeListWidget::addTheme);

    m_list = new CustomListWidget(this);
    m_paging = new PagingBar(this, PagingRules::Style::Site);
    m_paging->follow(m_pager);
    LoadFailedView::follow(m_pager, m_list);
    connect(m_pager, &ListPager::pageReceived, this, &MicroWebsiteNewsThemeListWidget::dealData);
    connect(m_pager, &ListPager::loadRequested, this, &MicroWebsiteNewsThemeListWidget::downloadData);

    auto* top = new QHBoxLayout;
    top->setContentsMargins(20, 10, 20, 10);
    top->addWidget(m_search);
    top->addStretch();
    top->addWidget(m_addButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(top);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_paging);

    downloadData();
}

QList<QVariantMap> MicroWebsiteNewsThemeListWidget::readRows(const QJsonValue& value, int limit)
{
    const QJsonArray array = value.isArray() ? value.toArray() : value.toObject().value(QStringLiteral("data")).toArray();
    return JsonRows::maps(array, limit);
}

QList<MicroWebsiteNewsThemeListItemView*> MicroWebsiteNewsThemeListWidget::rows() const
{
    QList<MicroWebsiteNewsThemeListItemView*> views;
    for (MicroWebsiteNewsThemeListItemView* view : m_list->findChildren<MicroWebsiteNewsThemeListItemView*>()) {
        if (!view->isHidden())
            views.append(view);
    }
    return views;
}

FormBody MicroWebsiteNewsThemeListWidget::ownerBody()
{
    const UserMessage_DataSqlTable::UserMessage user = UserMessage_DataSqlTable(this).getUserMessage();
    FormBody body;
    body.add(QStringLiteral("companyid"), user.value(QStringLiteral("companyid")))
        .add(QStringLiteral("cityid"), user.value(QStringLiteral("cityid")));
    return body;
}

void MicroWebsiteNewsThemeListWidget::lastPage()
{
    m_paging->trigger(PagingRules::Action::Previous);
}

void MicroWebsiteNewsThemeListWidget::nextPage()
{
    m_paging->trigger(PagingRules::Action::Next);
}

void MicroWebsiteNewsThemeListWidget::downloadData()
{
    FormBody body = ownerBody();
    body.add(QStringLiteral("page"), m_pager->pageIndex()).add(QStringLiteral("pagesize"), PageSize);
    const QString key = SearchKey::of(m_search->text());
    if (!key.isEmpty())
        body.add(QStringLiteral("key"), key);
    RequestWait::sendPage(m_pager, Api::softsubjectlist(), body, m_list);
}

void MicroWebsiteNewsThemeListWidget::dealData(QJsonValue value)
{
    const QList<QVariantMap> rows = readRows(value, m_pager->pageSize());
    if (!m_pager->acceptWithoutTotal(rows.size()))
        return;
    m_rows = rows;
    showListView();
}

void MicroWebsiteNewsThemeListWidget::showListView()
{
    m_list->clearItems();
    for (const QVariantMap& row : qAsConst(m_rows)) {
        auto* view = new MicroWebsiteNewsThemeListItemView(row);
        const int id = row.value(QStringLiteral("id")).toInt();
        const QString title = row.value(QStringLiteral("title")).toString();
        connect(view, &MicroWebsiteNewsThemeListItemView::editItem, this, [this, row]() { editItem(row); });
        connect(view, &MicroWebsiteNewsThemeListItemView::deleteItem, this, [this, id, title]() { deleteItem(id, title); });
        connect(view, &MicroWebsiteNewsThemeListItemView::changeSort, this, [this, id, view](const QString& sort) {
            connect(changeIndex(id, sort), &NetRequestObjecet::loadFail, view,
                    &MicroWebsiteNewsThemeListItemView::restoreSort);
        });
        m_list->addItemWidget(view);
    }
    emit listShown();
}

NetRequestObjecet* MicroWebsiteNewsThemeListWidget::changeIndex(int id, const QString& sort)
{
    FormBody body = ownerBody();
    body.add(QStringLiteral("id"), id).add(QStringLiteral("sort"), sort);
    return sendOperation(Api::subjects(), body, QString());
}

void MicroWebsiteNewsThemeListWidget::deleteItem(int id, const QString& title)
{
    AlertWidget* alert = AlertWidget::askConfirm(QStringLiteral("您确定是否删除该主题【%1】").arg(title));
    connect(alert, &AlertWidget::sureClick, this, [this, id]() {
        FormBody body = ownerBody();
        body.add(QStringLiteral("id"), id);
        sendOperation(Api::subjectsdel(), body, QStringLiteral("删除中..."));
    });
}

NetRequestObjecet* MicroWebsiteNewsThemeListWidget::sendOperation(const QString& url, const FormBody& body,
                                                                  const QString& waitText)
{
    NetRequestObjecet* request = RequestWait::send(this, url, body, m_list, waitText);
    connect(request, &NetRequestObjecet::loadSuccess, m_pager, &ListPager::reload);
    return request;
}

void MicroWebsiteNewsThemeListWidget::editItem(const QVariantMap& row)
{
    openEditor(QStringLiteral("修改主题"), &row);
}

void MicroWebsiteNewsThemeListWidget::addTheme()
{
    openEditor(QStringLiteral("添加主题"), nullptr);
}

void MicroWebsiteNewsThemeListWidget::openEditor(const QString& title, const QVariantMap* row)
{
    auto* editor = new MicroWebsiteNewsThemeAddWidget;
    if (row)
        editor->setTopic(*row);
    CommonAddWidget* popup = PopupLauncher::open(title, QSize(600, 550), editor);
    m_popup = popup;
    connect(editor, &MicroWebsiteNewsThemeAddWidget::addSuccess, this, [this, popup]() {
        popup->closeWidget();
        m_pager->reload();
    });
}
