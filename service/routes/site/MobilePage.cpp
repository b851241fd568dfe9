#include "routes/site/MobilePage.h"

#include "routes/common/PictureAddress.h"

#include <QStringList>
#include <QUrl>

namespace {

struct Theme
{
    const char* colour;
    const char* text;
};

// The six colours of the style page; white takes dark text.
const Theme kThemes[] = {
    {"rgb(50, 143, 235)", "#fff"}, {"rgb(255, 1, 1)", "#fff"},   {"rgb(233, 70, 8)", "#fff"},
    {"rgb(246, 168, 0)", "#fff"},  {"rgb(0, 171, 133)", "#fff"}, {"rgb(255, 255, 255)", "#333"},
};

struct NavItem
{
    const char* path;
    const char* title;
    const char* glyph;
};

const NavItem kNavItems[] = {
    {"", "首页", "⌂"}, {"houses/sale", "二手房", "▦"}, {"news", "资讯", "≡"}, {"profile", "关于我们", "☺"}};

int themeIndex(int zhuti)
{
    return zhuti >= 1 && zhuti <= 6 ? zhuti - 1 : 0;
}

} // namespace

MobilePage::MobilePage(const QString& companyId, const QString& companyName, const Look& look, const QString& sitePath)
    : m_companyId(companyId)
    , m_companyName(companyName)
    , m_look(look)
    , m_sitePath(sitePath)
    , m_toRoot(QStringLiteral("../").repeated(sitePath.count(QLatin1Char('/'))))
{
}

QString MobilePage::href(const QString& sitePath) const
{
    const QString address = m_toRoot + sitePath;
    // The home page from itself: "./", as an empty address would be no link at all.
    return address.isEmpty() ? QStringLiteral("./") : address.toHtmlEscaped();
}

QString MobilePage::text(const QString& plain)
{
    return plain.toHtmlEscaped();
}

QString MobilePage::paragraphs(const QString& plain)
{
    QString html;
    for (const QString& line : plain.split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty())
            html += QStringLiteral("<p>%1</p>").arg(line.trimmed().toHtmlEscaped());
    }
    return html;
}

QString MobilePage::picture(const QString& address, const QString& cssClass, const QString& alt)
{
    if (!PictureAddress::isValid(address))
        return QStringLiteral("<span class=\"%1 nopic\"></span>").arg(cssClass);
    return QStringLiteral("<img class=\"%1\" src=\"%2\" alt=\"%3\">")
        .arg(cssClass, address.toHtmlEscaped(), alt.toHtmlEscaped());
}

QString MobilePage::link(const QString& sitePath, const QString& innerHtml, const QString& cssClass) const
{
    if (cssClass.isEmpty())
        return QStringLiteral("<a href=\"%1\">%2</a>").arg(href(sitePath), innerHtml);
    return QStringLiteral("<a class=\"%1\" href=\"%2\">%3</a>").arg(cssClass, href(sitePath), innerHtml);
}

QString MobilePage::pager(const QString& sitePath, qint64 pageIndex, qint64 pageSize, qint64 total,
                          const QList<QPair<QString, QString>>& query) const
{
    const qint64 pages = (total + pageSize - 1) / pageSize;
    if (pages <= 1)
        return QString();
    auto pageLink = [&](qint64 page, const QString& label) {
        QStringList pieces;
        for (const auto& piece : query) {
            if (!piece.second.isEmpty())
                pieces << piece.first + QLatin1Char('=') + QString::fromLatin1(QUrl::toPercentEncoding(piece.second));
        }
        pieces << QStringLiteral("page=%1").arg(page);
        return link(sitePath + QLatin1Char('?') + pieces.join(QLatin1Char('&')), text(label));
    };
    QString html = QStringLiteral("<nav class=\"pager\">");
    html += pageIndex > 1 ? pageLink(pageIndex - 1, QStringLiteral("上一页")) : QStringLiteral("<span></span>");
    html += QStringLiteral("<span>第%1页</span>").arg(pageIndex);
    html += pageIndex < pages ? pageLink(pageIndex + 1, QStringLiteral("下一页")) : QStringLiteral("<span></span>");
    return html + QStringLiteral("</nav>");
}

QString MobilePage::section(const QString& heading, const QString& body, const QString& morePath) const
{
    const QString more = morePath.isNull() ? QString() : link(morePath, QStringLiteral("更多 ›"), QStringLiteral("more"));
    return QStringLiteral("<section class=\"block\"><h2>%1%2</h2>%3</section>").arg(text(heading), more, body);
}

QString MobilePage::themeColour(int zhuti)
{
    return QString::fromUtf8(kThemes[themeIndex(zhuti)].colour);
}

QString MobilePage::bottomBar() const
{
    QString items;
    for (const NavItem& item : kNavItems) {
        const QString path = QString::fromUtf8(item.path);
        const bool current = path.isEmpty() ? m_sitePath.isEmpty() : m_sitePath.startsWith(path);
        items += QStringLiteral("<a href=\"%1\"%2><i>%3</i><span>%4</span></a>")
                     .arg(href(path), current ? QStringLiteral(" class=\"current\"") : QString(),
                          QString::fromUtf8(item.glyph), QString::fromUtf8(item.title));
    }
    const int style = m_look.dibu >= 1 && m_look.dibu <= 5 ? m_look.dibu : 1;
    return QStringLiteral("<nav class=\"bottom nav-style-%1\">%2</nav>").arg(style).arg(items);
}

ServiceReply MobilePage::reply(const QString& title, const QString& bodyHtml) const
{
    const Theme& theme = kThemes[themeIndex(m_look.zhuti)];
    const bool home = m_sitePath.isEmpty();
    const QString bar = home ? QString()
                             : QStringLiteral("<header class=\"titlebar\"><a class=\"back\" href=\"%1\">‹</a>"
                                              "<h1>%2</h1></header>")
                                   .arg(href(QString()), text(title));
    const QString fullTitle = home ? m_companyName : title + QStringLiteral(" - ") + m_companyName;
    // The theme is both a custom property and an attribute, so a script reads it either way.
    const QString html =
        QStringLiteral("<!DOCTYPE html>\n<html lang=\"zh-CN\" data-zhuti=\"%1\" style=\"--theme:%2;--theme-text:%3\">"
                       "<head><meta charset=\"utf-8\">"
                       "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
                       "<title>%4</title><link rel=\"stylesheet\" href=\"%5\"></head>"
                       "<body class=\"%6\">%7<main>%8</main>%9</body></html>\n")
            .arg(themeIndex(m_look.zhuti) + 1)
            .arg(QString::fromUtf8(theme.colour), QString::fromUtf8(theme.text), text(fullTitle),
                 QString(m_toRoot + QStringLiteral("../site.css")).toHtmlEscaped(),
                 home ? QStringLiteral("home") : QStringLiteral("inner"), bar, bodyHtml, bottomBar());
    ServiceReply reply;
    reply.contentType = QByteArrayLiteral("text/html; charset=utf-8");
    reply.body = html.toUtf8();
    return reply;
}

ServiceReply MobilePage::missing(const QString& what) const
{
    ServiceReply page = reply(what, QStringLiteral("<p class=\"empty\">%1不存在或已下架。</p><p class=\"empty\">%2</p>")
                                        .arg(text(what), link(QString(), QStringLiteral("返回首页"))));
    page.status = 404;
    return page;
}

ServiceReply MobilePage::refused(int status, const QString& reason) const
{
    ServiceReply page = reply(QStringLiteral("无法打开"), QStringLiteral("<p class=\"empty\">%1</p><p class=\"empty\">%2</p>")
                                                           .arg(text(reason), link(QString(), QStringLiteral("返回首页"))));
    page.status = status;
    return page;
}
