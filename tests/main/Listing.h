#pragma once

#include "data/connection/Connection.h"
#include "data/statements/Queries.h"
#include "main/BrowsingFixture.h"
#include "support/StatementTrace.h"
#include "support/TestDatabase.h"

#include <QTest>

#include <algorithm>
#include <functional>

// What the places list shows of the search condition it was filled under: the places
// statements sent to fill it (SQLite's trace alone shows them; elsewhere none) and the places
// listed, by identifier in ascending order.
struct Listing
{
    QStringList statements;
    QList<qint32> places;
    bool operator==(const Listing &) const = default;
};

inline char *toString(const Listing &listing)
{
    QStringList places;
    for (qint32 place : listing.places)
        places.append(QString::number(place));
    return QTest::toString(listing.statements.join(u'\n') + QStringLiteral("\nplaces: ") + places.join(u' '));
}

// The list after `act`, with the places statements sent meanwhile. The trace is the only one
// while it runs: a test's own stops recording.
inline Listing ListingAfter(const frmMain &window, const std::function<void()> &act)
{
    const StatementTrace trace;
    act();
    Listing listing;
    const QString places = Processing::DbConn().sent(Processing::GetPlacesQuery(-1));
    for (const QString &sql : trace.statements()) {
        if (sql.startsWith(places))
            listing.statements.append(sql);
    }
    const PlacesModel *model = BrowsingFixture::Places(window);
    for (int row = 0; row < model->rowCount(); ++row)
        listing.places.append(model->PlaceId(row));
    std::sort(listing.places.begin(), listing.places.end());
    return listing;
}

// The list filled again for all categories, as the search dialog has it done: what shows of
// the condition the window holds.
inline Listing ReloadedWhole(frmMain &window)
{
    return ListingAfter(window, [&window] { window.UpdateList(-1); });
}

// The list filled for all categories under `condition`, empty for none.
inline Listing WholeUnder(const QString &condition)
{
    const QString sql = Processing::DbConn().sent(Processing::PlacesListQuery(-1, condition));
    Listing listing;
    if (StatementTrace().active())
        listing.statements.append(sql);
    for (const QStringList &row : TestDatabase::Rows(sql))
        listing.places.append(row.first().toInt());
    // A place filed under two categories is listed once.
    std::sort(listing.places.begin(), listing.places.end());
    listing.places.erase(std::unique(listing.places.begin(), listing.places.end()), listing.places.end());
    return listing;
}
