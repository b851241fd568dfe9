#ifndef CUSTOMAPPCONTENT_H
#define CUSTOMAPPCONTENT_H

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class FormBody;

// What a custom app holds and sends, apart from any widget: its content in each of the three
// modes (always written by a JSON writer), the checks of a save and the save's body.
class CustomAppContent
{
public:
    enum Mode { Photos = 0, Text = 1, Houses = 2 };

    static constexpr int MaxNameLength = 4;

    // Compact JSON array text of the pictures, each {"photo", "sort"}, ordered by "sort".
    static QString photosContent(const QList<QVariantMap>& photos);
    static QString housesContent(const QString& houseType, const QString& districts);
    // The pictures ordered by their "sort".
    static QList<QVariantMap> sortList(QList<QVariantMap> list);

    // The mode a stored content was written in, and its parts.
    static Mode modeOf(const QString& content);
    static QStringList photoAddresses(const QString& content);
    static QVariantMap houseSearch(const QString& content);

    // The checks every mode shares, after the mode's own; empty when the save may go.
    static QString checkShared(const QString& name, bool hasIcon, bool compressing);
    static FormBody saveBody(const QString& name, const QString& photo, const QString& content, int id);

private:
    CustomAppContent() = delete;
};

#endif // CUSTOMAPPCONTENT_H
