#ifndef HOUSEMANAGEROPERATION_H
#define HOUSEMANAGEROPERATION_H

#include "listings/housemanager/MicroWebsite_HouseMangerList_Model.h"
#include "net/http/FormBody.h"

#include <QString>

// What a row button of the listing manager does to its house: the right it needs, the refusal,
// the question asked first (none for a review) and the request sent once confirmed.
class HouseManagerOperation
{
public:
    using ListData = MicroWebsite_HouseMangerList_Model::ListData;

    enum Kind { None, Delete, PutUpOrDown, Review, Recommend };

    Kind kind = None;
    int functionId = 0;
    QString refusal;
    QString confirmation; // empty: sent without asking
    QString sureText;     // the confirm button's text; empty keeps "确定"
    QString url;
    FormBody body;

    // The operation behind a button text for this house; kind None for an unknown text.
    static HouseManagerOperation forButton(const QString& text, const ListData& house);

    // The buttons a house shows: a reviewed one "删除", its put-up state and its recommendation;
    // one waiting for review only "等待审核".
    static QStringList buttonTitles(const ListData& house);
    // The style added to a button of that text; a reviewer sees "等待审核" in the normal blue.
    static QString extraStyle(const QString& text, bool canReview);
};

#endif // HOUSEMANAGEROPERATION_H
