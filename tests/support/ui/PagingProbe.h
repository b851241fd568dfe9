#ifndef PAGINGPROBE_H
#define PAGINGPROBE_H

#include <QString>

class PagingBar;
class QLineEdit;

// Reads the paging bar under a list as the user sees it.
namespace PagingProbe {

// "条，共N页，共计M条，当前第"
QString pageInfo(const PagingBar* bar);
// The page box, where the user types the page to jump to.
QLineEdit* currentPageBox(const PagingBar* bar);
QString currentPage(const PagingBar* bar);
QString pageSize(const PagingBar* bar);

} // namespace PagingProbe

#endif // PAGINGPROBE_H
