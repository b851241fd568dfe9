#ifndef BROWSINGTRACKVISIT_H
#define BROWSINGTRACKVISIT_H

#include <QString>

// One visit the browsing-track page sends when a row is clicked: {"type": n, "itemId": "id"}.
struct BrowsingTrackVisit
{
    enum Type { SaleHouse = 1, RentHouse = 2, NewHouse = 3, Financial = 4 };

    int type = 0;
    qint64 itemId = 0;

    // A visit only when the text is a JSON object whose itemId is a positive integer (as number or
    // text): anything else would open a detail of nothing, or of the wrong item.
    static bool parse(const QString& json, BrowsingTrackVisit* visit);
};

#endif // BROWSINGTRACKVISIT_H
