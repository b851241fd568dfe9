#ifndef LISTFILTER_H
#define LISTFILTER_H

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

class ParamReader;
class ServiceParams;

// The optional conditions of a list, read from a request's parameters. Each condition holds one
// "?" per value (bound, never pasted) and is added only when its parameter is given, so a query
// appends conditions() to its own WHERE. A bad value is refused through the reader, like any
// other parameter, in the order the conditions are read.
class ListFilter
{
public:
    ListFilter(const ServiceParams& params, ParamReader& in);

    void add(const QString& condition, const QVariant& value);
    // A non-blank text, e.g. text("area", "area = ?").
    void text(const QString& key, const QString& condition, int maxLength = 100);
    // A non-blank text found anywhere in one of the columns, its wildcards taken literally.
    void contains(const QString& key, const QStringList& columns);
    // A non-negative amount ("12", "3.5"), e.g. amount("priceone", "最低价格", "junjia >= ?").
    void amount(const QString& key, const QString& label, const QString& condition);
    // 1 or 0, e.g. flag("wstore", "上架状态", "wstore = ?").
    void flag(const QString& key, const QString& label, const QString& condition);

    // " AND <condition>" for each condition given, in the order they were read.
    QString conditions() const { return m_conditions; }
    QVariantList values() const { return m_values; }

private:
    const ServiceParams& m_params;
    ParamReader& m_in;
    QString m_conditions;
    QVariantList m_values;
};

#endif // LISTFILTER_H
