#include "support/ui/PagingProbe.h"

#include "widgets/lists/PagingBar.h"

#include <QLabel>
#include <QLineEdit>

namespace PagingProbe {

QString pageInfo(const PagingBar* bar)
{
    const auto* label = bar ? bar->findChild<QLabel*>(QStringLiteral("label_pageInfo")) : nullptr;
    return label ? label->text() : QStringLiteral("<no page info>");
}

QLineEdit* currentPageBox(const PagingBar* bar)
{
    return bar ? bar->findChild<QLineEdit*>(QStringLiteral("lineEdit_currentPage")) : nullptr;
}

QString currentPage(const PagingBar* bar)
{
    const QLineEdit* box = currentPageBox(bar);
    return box ? box->text() : QStringLiteral("<no page box>");
}

QString pageSize(const PagingBar* bar)
{
    const auto* box = bar ? bar->findChild<QLineEdit*>(QStringLiteral("lineEdit_pageSize")) : nullptr;
    return box ? box->text() : QStringLiteral("<no page size box>");
}

} // namespace PagingProbe
