#ifndef FORMBODY_H
#define FORMBODY_H

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

// An ordered list of key/value pieces, written as form text ("a=1&b=2") with every key and value
// percent-encoded as UTF-8, so a value holding "&", "=", "+", "%", "#" or Chinese text reaches the
// service unchanged. Every form body and query string of the module is built here.
class FormBody
{
public:
    FormBody() = default;

    // Pieces keep the order in which they are added; a key may repeat.
    FormBody& add(const QString& key, const QString& value);
    FormBody& add(const QString& key, int value);
    FormBody& add(const QString& key, qlonglong value);
    FormBody& add(const QString& key, double value);
    FormBody& add(const QString& key, bool value);
    // A bare C string would silently turn into a bool; pass a QString instead.
    FormBody& add(const QString& key, const char* value) = delete;
    // Adds the value by the type rules of formatValue(); returns false (adding nothing) for a value
    // of any other type.
    bool addVariant(const QString& key, const QVariant& value);

    // Every entry of the map in key order; entries of types formatValue() does not know are left out.
    static FormBody fromMap(const QVariantMap& map);

    // The text the service expects for a value: a string as it is, integers in decimal, a double in
    // its shortest form, a bool as 1 or 0. Returns false for any other type.
    static bool formatValue(const QVariant& value, QString* text);

    bool isEmpty() const { return m_pieces.isEmpty(); }
    int size() const { return m_pieces.size(); }
    const QList<QPair<QString, QString>>& pieces() const { return m_pieces; }

    QByteArray toByteArray() const;
    QString toString() const;
    // The address with this form as its query ("?" or, when it already has a query, "&").
    QString appendedTo(const QString& url) const;

private:
    QList<QPair<QString, QString>> m_pieces;
};

#endif // FORMBODY_H
