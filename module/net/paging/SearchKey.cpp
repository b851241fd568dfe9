#include "net/paging/SearchKey.h"

QString SearchKey::of(const QString& text)
{
    QString key;
    key.reserve(text.size());
    for (const QChar c : text) {
        if (!c.isSpace())
            key.append(c);
    }
    return key;
}
