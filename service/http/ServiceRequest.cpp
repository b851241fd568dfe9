#include "http/ServiceRequest.h"

#include <QStringList>

const UploadedPart* ServiceRequest::part(const QString& name) const
{
    for (const UploadedPart& candidate : parts) {
        if (candidate.name == name)
            return &candidate;
    }
    return nullptr;
}

QString ServiceRequest::cookie(const QString& name) const
{
    const QStringList pieces = header(QStringLiteral("cookie")).split(QLatin1Char(';'));
    for (const QString& piece : pieces) {
        const int equals = piece.indexOf(QLatin1Char('='));
        if (equals > 0 && piece.left(equals).trimmed() == name)
            return piece.mid(equals + 1).trimmed();
    }
    return QString();
}
