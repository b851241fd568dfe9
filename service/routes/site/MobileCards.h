#ifndef MOBILECARDS_H
#define MOBILECARDS_H

#include <QString>
#include <QStringList>
#include <QVariantMap>

class MobilePage;

// The rows of the site's lists, as the home page and the list pages show them, each a link to
// its record's page. Rows are those PublicSiteData reads; every text is escaped here.
class MobileCards
{
public:
    static QString house(const MobilePage& page, const QVariantMap& row);
    static QString project(const MobilePage& page, const QVariantMap& row);
    static QString loan(const MobilePage& page, const QVariantMap& row);
    // An article of the news ("news") or the encyclopedia ("baike").
    static QString article(const MobilePage& page, const QString& kindPath, qint64 id, const QString& title,
                           const QString& picture, const QString& line);
    static QString topic(const MobilePage& page, qint64 id, const QString& title, const QString& subtitle,
                         const QString& picture);
    // A list of cards, or the text that says it is empty.
    static QString list(const QStringList& cards, const QString& empty);

    // The house's price as the site shows it: "265万" for a sale, "4500元/月" for a rent.
    static QString housePrice(const QVariantMap& row);
    // The house's photos: its own picture first, then the house book's.
    static QStringList housePhotos(const QVariantMap& row);
    // The tags of a JSON array text.
    static QStringList tags(const QString& json);
    // Chips of the texts.
    static QString chips(const QStringList& texts);

private:
    MobileCards() = delete;
};

#endif // MOBILECARDS_H
