#ifndef SERVICEPARAMS_H
#define SERVICEPARAMS_H

#include <QByteArray>
#include <QJsonObject>
#include <QMap>
#include <QString>
#include <QStringList>

// A request's parameters: the query string's and the form body's pieces, decoded as UTF-8.
// Within one source the first piece of a key counts; a body piece overrides a query piece.
// A key or value holding a NUL or bytes that are not UTF-8 is noted, so the request is refused
// rather than read with the text cut or altered.
class ServiceParams
{
public:
    // Decodes "a=1&b=x%26y+z" form text ("+" is a blank, "%XX" a byte). Pieces without "=" have
    // an empty value; empty pieces are skipped.
    static ServiceParams fromForm(const QByteArray& form);

    // Adds the pieces of other; with replace, they override pieces of the same key.
    void merge(const ServiceParams& other, bool replace);
    // Adds one piece unless the key is already present.
    void add(const QString& key, const QString& value);
    // The same for raw bytes, decoded as UTF-8.
    void addBytes(const QByteArray& key, const QByteArray& value);
    // True when some piece was not clean UTF-8 text.
    bool hasInvalidText() const { return m_invalidText; }
    void markInvalidText() { m_invalidText = true; }
    // The text of UTF-8 bytes; false when they hold a NUL or are not UTF-8.
    static bool decodeText(const QByteArray& bytes, QString* text);

    bool contains(const QString& key) const { return m_values.contains(key); }
    // The value, or an empty string when the key is missing.
    QString value(const QString& key) const { return m_values.value(key); }
    QStringList keys() const { return m_values.keys(); }
    bool isEmpty() const { return m_values.isEmpty(); }
    QJsonObject toJson() const;

private:
    QMap<QString, QString> m_values;
    bool m_invalidText = false;
};

#endif // SERVICEPARAMS_H
