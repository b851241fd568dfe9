#ifndef PAGINGRULES_H
#define PAGINGRULES_H

#include <QString>

// What a click on a paging button does, apart from any widget: the table pages, the card pages and
// the site host's lists (pages of 10 without a total) follow different rules and texts.
class PagingRules
{
public:
    enum class Style { Table, Card, Site };
    enum class Action { BackTen, Previous, Next, ForwardTen, Jump };

    struct Step
    {
        bool request = false; // load pageIndex
        int pageIndex = 1;    // the page to show (unchanged when refused)
        QString alert;        // warning shown when refused
    };

    // jumpText is the current-page box's text, read only for Jump.
    static Step decide(Style style, Action action, int pageIndex, int pageCount, const QString& jumpText = QString());
    static int pageCountFor(int total, int pageSize);
    // The site host answers a page without a total: a full page means another may follow, a
    // shorter one is the last. The total that says so, for ListPager::acceptWithoutTotal().
    static int siteTotal(int pageIndex, int rowsOnPage, int pageSize);

private:
    PagingRules() = delete;
};

#endif // PAGINGRULES_H
