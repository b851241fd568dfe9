#include "net/paging/PagingRules.h"

#include <QtGlobal>

namespace {

PagingRules::Step go(int page)
{
    PagingRules::Step step;
    step.request = true;
    step.pageIndex = page;
    return step;
}

PagingRules::Step refuse(int page, const QString& alert)
{
    PagingRules::Step step;
    step.pageIndex = page;
    step.alert = alert;
    return step;
}

PagingRules::Step tableStep(PagingRules::Action action, int page, int count, const QString& jumpText)
{
    using A = PagingRules::Action;
    switch (action) {
    case A::BackTen:
        return go(qMax(1, page - 10));
    case A::Previous:
        return page <= 1 ? refuse(page, QStringLiteral("亲，当前已是第一页无法再翻到上一页了！")) : go(page - 1);
    case A::Next:
        return page + 1 > count ? refuse(page, QStringLiteral("亲，当前已是最后一页无法再翻到下一页了！")) : go(page + 1);
    case A::ForwardTen:
        return page + 10 > count ? refuse(page, QStringLiteral("后面没有十页内容了！")) : go(page + 10);
    case A::Jump: {
        bool ok = false;
        const int n = jumpText.trimmed().toInt(&ok);
        return ok && n > 0 && n <= count ? go(n) : refuse(page, QStringLiteral("请选择有效的页数！"));
    }
    }
    return refuse(page, QString());
}

PagingRules::Step cardStep(PagingRules::Action action, int page, int count, const QString& jumpText)
{
    using A = PagingRules::Action;
    const QString first = QStringLiteral("当前已经是第一页了");
    const QString beyond = QStringLiteral("超出最大页数！");
    switch (action) {
    case A::Previous:
        return page > 1 ? go(page - 1) : refuse(page, first);
    case A::Next:
        return page < count ? go(page + 1) : refuse(page, QStringLiteral("当前已经是最后一页了"));
    case A::BackTen:
        if (page > 10)
            return go(page - 10);
        return page > 1 ? go(1) : refuse(page, first);
    case A::ForwardTen:
        return page + 10 > count ? refuse(page, beyond) : go(page + 10);
    case A::Jump: {
        // A refused jump keeps the page the list shows, so the next step starts from there.
        const int n = qMax(1, jumpText.trimmed().toInt());
        return n > count ? refuse(page, beyond) : go(n);
    }
    }
    return refuse(page, QString());
}

PagingRules::Step siteStep(PagingRules::Action action, int page, int count)
{
    using A = PagingRules::Action;
    switch (action) {
    case A::Previous:
        return page > 1 ? go(page - 1) : refuse(page, QStringLiteral("已经是第一页了！"));
    case A::Next:
        return page < count ? go(page + 1) : refuse(page, QStringLiteral("已经是最后一页了！"));
    default:
        return refuse(page, QString());
    }
}

} // namespace

PagingRules::Step PagingRules::decide(Style style, Action action, int pageIndex, int pageCount, const QString& jumpText)
{
    switch (style) {
    case Style::Table:
        return tableStep(action, pageIndex, pageCount, jumpText);
    case Style::Card:
        return cardStep(action, pageIndex, pageCount, jumpText);
    case Style::Site:
        return siteStep(action, pageIndex, pageCount);
    }
    return refuse(pageIndex, QString());
}

int PagingRules::siteTotal(int pageIndex, int rowsOnPage, int pageSize)
{
    const int before = (qMax(1, pageIndex) - 1) * pageSize;
    return before + rowsOnPage + (rowsOnPage >= pageSize ? 1 : 0);
}

int PagingRules::pageCountFor(int total, int pageSize)
{
    if (pageSize <= 0 || total <= 0)
        return 0;
    return total / pageSize + (total % pageSize ? 1 : 0);
}
