#ifndef PARAMREADER_H
#define PARAMREADER_H

#include <QString>

class ServiceParams;

// Reads and checks a request's parameters, keeping the first problem as a message for the user:
//     ParamReader in(request.params());
//     const QString phone = in.text(QStringLiteral("phone"), QStringLiteral("手机号"));
//     if (!in.ok()) return Envelope::refused(in.message());
// Each reader returns a neutral value after a problem, so handlers check ok() once at the end.
class ParamReader
{
public:
    explicit ParamReader(const ServiceParams& params);

    // A required, non-blank text of at most maxLength characters (surrounding blanks kept).
    QString text(const QString& key, const QString& label, int maxLength = 100000);
    // An optional text; missing gives fallback.
    QString optionalText(const QString& key, const QString& fallback = QString(), int maxLength = 100000);
    // A required decimal integer within [min, max].
    qint64 integer(const QString& key, const QString& label, qint64 min, qint64 max);
    // An optional integer; missing or empty gives fallback, anything present must be valid.
    qint64 optionalInteger(const QString& key, const QString& label, qint64 fallback, qint64 min, qint64 max);

    bool ok() const { return m_message.isEmpty(); }
    QString message() const { return m_message; }
    // Records a problem found by the handler itself (the first one wins).
    void fail(const QString& message);

private:
    qint64 parseInteger(const QString& value, const QString& label, qint64 min, qint64 max);

    const ServiceParams& m_params;
    QString m_message;
};

#endif // PARAMREADER_H
