#include "storage/core/ListFilter.h"

#include "http/ParamReader.h"
#include "http/ServiceParams.h"

#include <QRegularExpression>

namespace {

// A LIKE pattern (with ESCAPE '\') that finds text anywhere.
QString containsPattern(const QString& text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escaped.replace(QLatin1Char('%'), QStringLiteral("\\%"));
    escaped.replace(QLatin1Char('_'), QStringLiteral("\\_"));
    return QLatin1Char('%') % escaped % QLatin1Char('%');
}

} // namespace

ListFilter::ListFilter(const ServiceParams& params, ParamReader& in)
    : m_params(params)
    , m_in(in)
{
}

void ListFilter::add(const QString& condition, const QVariant& value)
{
    m_conditions += QStringLiteral(" AND ") % condition;
    m_values.append(value);
}

void ListFilter::text(const QString& key, const QString& condition, int maxLength)
{
    const QString value = m_in.optionalText(key, QString(), maxLength).trimmed();
    if (!value.isEmpty())
        add(condition, value);
}

void ListFilter::contains(const QString& key, const QStringList& columns)
{
    const QString value = m_in.optionalText(key, QString(), 100).trimmed();
    if (value.isEmpty() || columns.isEmpty())
        return;
    QStringList matches;
    for (const QString& column : columns) {
        matches.append(column % QStringLiteral(" LIKE ? ESCAPE '\\'"));
        m_values.append(containsPattern(value));
    }
    m_conditions += QStringLiteral(" AND (") % matches.join(QStringLiteral(" OR ")) % QLatin1Char(')');
}

void ListFilter::amount(const QString& key, const QString& label, const QString& condition)
{
    const QString value = m_params.value(key).trimmed();
    if (value.isEmpty())
        return;
    static const QRegularExpression pattern(QStringLiteral("^[0-9]{1,9}(\\.[0-9]{1,4})?$"));
    if (!pattern.match(value).hasMatch()) {
        m_in.fail(QStringLiteral("%1格式错误，请输入数字").arg(label));
        return;
    }
    add(condition, value.toDouble());
}

void ListFilter::flag(const QString& key, const QString& label, const QString& condition)
{
    const qint64 value = m_in.optionalInteger(key, label, -1, 0, 1);
    if (value >= 0)
        add(condition, value);
}
