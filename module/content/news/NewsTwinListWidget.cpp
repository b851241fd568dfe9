#include "content/news/NewsTwinListWidget.h"

#include "content/news/MicroWebsiteNewsListItemView.h"
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
#include "widgets/lists/QProgressIndicator.h"
#include "widgets/popups/AlertWidget.h"

#include <QHBoxLayout>
#include <QJsonArray>
#include <QJsonObject>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* toolButton(const QString& text, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setMinimumSize(90, 30);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(ButtonStyles::primary());
    return button;
}

} // namespace

NewsTwinListWidget::NewsTwinListWidget(NewsTwin::Kind kind, QWidget* parent)
    : QWidget(parent)
    , m_twin(NewsTwin::of(kind))
    , m_pager(new ListPager(this, PageSize))
{
    m_search = new CustomLineEdit(this);
    m_search->setObjectName(QStringLiteral("searchEdit"));
    m_search->setPlaceholderText(QStringLiteral("搜索标题"));
    m_search->setFixedSize(240, 30);
    m_searchButton = toolButton(QStringLiteral("搜索"), "searchButton", this);
    m_addButton = toolButton(m_twin.addText(), "addButton", this);
    m_categoryButton = toolButton(m_twin.categoryText(), "categoryButton", this);
    m_pictureButton = toolButton(m_twin.pictureText(), "pictureButton", this);
    connect(m_searchButton, &QPushButton::clicked, this, &NewsTwinListWidget::search);
    connect(m_search, &QLineEdit::returnPressed, this, &NewsTwinListWidget::search);

    m_list = new CustomListWidget(this);
    m_paging = new PagingBar(this, PagingRules::Style::Site);
    m_paging->follow(m_pager);
    LoadFailedView::follow(m_pager, m_list);
    connect(m_pager, &ListPager::pageReceived, this, &NewsTwinListWidget::dealData);
    connect(m_pager, &ListPager::loadRequested, this, &NewsTwinListWidget::downloadData);

    auto* top = new QHBoxLayout;
    top->setContentsMargins(20, 10, 20, 10);
    top->setSpacing(10);
    top->addWidget(m_search);
    top->addWidget(m_searchButton);
    top->addStretch();
    top->addWidget(m_addButton);
    top->addWidget(m_categoryButton);
    top->addWidget(m_pictureButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(top);
    layout->addWidget(MicroWebsiteNewsListItemView::createHeader(this));
    layout->addWidget(m_list, 1);
    layout->addWidget(m_paging);

    downloadData();
}

QList<QVariantMap> NewsTwinListWidget::readRows(const QJsonValue& value, int limit)
{
    return JsonRows::maps(value.toArray(), limit);
}

QList<MicroWebsiteNewsListItemView*> NewsTwinListWidget::rows() const
{
    QList<MicroWebsiteNewsListItemView*> views;
    const QListWidget* list = m_list->listWidget();
    for (int i = 0; i < list->count(); ++i) {
        if (auto* view = qobject_cast<MicroWebsiteNewsListItemView*>(list->itemWidget(list->item(i))))
            views.append(view);
    }
    return views;
}

QVariantMap NewsTwinListWidget::currentUser()
{
    auto* table = new UserMessage_DataSqlTable(this);
    const QVariantMap user = table->getUserMessage().init;
    table->deleteLater();
    return user;
}

void NewsTwinListWidget::lastPage()
{
    m_paging->trigger(PagingRules::Action::Previous);
}

void NewsTwinListWidget::nextPage()
{
    m_paging->trigger(PagingRules::Action::Next);
}

void NewsTwinListWidget::search()
{
    // A new key starts on its first page: its results may have fewer pages than the page on screen.
    m_pager->turnTo(1);
}

void NewsTwinListWidget::downloadData()
{
    const FormBody body =
        NewsTwin::listBody(currentUser(), m_pager->pageIndex(), PageSize, SearchKey::of(m_search->text()));
    NetRequestObjecet* request = m_pager->send(m_twin.listUrl(), body);
    QProgressIndicator* indicator = QProgressIndicator::showOver(m_list, false, QString());
    connect(request, &NetRequestObjecet::loadFinish, indicator, &QProgressIndicator::stopAnimation);
}

void NewsTwinListWidget::dealData(QJsonValue value)
{
    const QList<QVariantMap> rows = readRows(value, m_pager->pageSize());
    if (!m_pager->acceptWithoutTotal(rows.size()))
        return;
    m_rows = rows;
    showListView();
}

void NewsTwinListWidget::showListView()
{
    m_list->clearItems();
    for (const QVariantMap& row : qAsConst(m_rows)) {
        auto* view = new MicroWebsiteNewsListItemView(row);
        connect(view, &MicroWebsiteNewsListItemView::editItem, this, [this, row]() { editItem(row); });
        connect(view, &MicroWebsiteNewsListItemView::deleteItem, this, [this, row]() { deleteItem(row); });
        m_list->addItemWidget(view);
    }
    emit listShown();
}

void NewsTwinListWidget::editItem(const QVariantMap& row)
{
    openWebPage(NewsTwin::Page::Edit, row.value(QStringLiteral("id")).toString());
}

void NewsTwinListWidget::deleteItem(const QVariantMap& row)
{
    const int id = row.value(QStringLiteral("id")).toInt();
    AlertWidget* alert = AlertWidget::askConfirm(m_twin.deleteQuestion(row.value(QStringLiteral("title")).toString()));
    connect(alert, &AlertWidget::sureClick, this, [this, id]() {
        QProgressIndicator* indicator = QProgressIndicator::showOver(m_list, false, QStringLiteral("删除中..."));
        auto* request = new NetRequestObjecet(this);
        connect(request, &NetRequestObjecet::loadFinish, indicator, &QProgressIndicator::stopAnimation);
        connect(request, &NetRequestObjecet::loadFinish, request, &QObject::deleteLater);
        connect(request, &NetRequestObjecet::loadSuccess, m_pager, &ListPager::reload);
        request->sendForm(m_twin.deleteUrl(), NewsTwin::deleteBody(currentUser(), id));
    });
}

CefWebWidget* NewsTwinListWidget::openWebPage(NewsTwin::Page page, const QString& rowId)
{
    const NewsTwin::WebPage spec = m_twin.webPage(page);
    auto* dialog = new CefWebWidget(m_twin.pageUrl(page, currentUser(), rowId), this);
    dialog->setTitle(spec.title);
    dialog->resize(spec.size);
    connect(dialog, &CefWebWidget::backJs, this, [this, dialog](const QString& js) {
        if (js != QLatin1String("success"))
            return;
        dialog->close();
        m_pager->reload();
    });
    m_webDialog = dialog;
    dialog->show();
    return dialog;
}
