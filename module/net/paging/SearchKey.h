#ifndef SEARCHKEY_H
#define SEARCHKEY_H

#include <QString>

// The key a list's search box sends: its text without any blank, the full-width one that Chinese
// input methods type among them, so "公积　金" finds what "公积金" finds.
class SearchKey
{
public:
    static QString of(const QString& text);

private:
    SearchKey() = delete;
};

#endif // SEARCHKEY_H
