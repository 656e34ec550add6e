#pragma once

#include "editing/frmUpdate.h"

#include <QStringList>

#include <optional>

// What others changed in a place while it was open in the update window.

// The place as the main window's list would show it now; none when the list would not show it
// (deleted, or its city, district or category gone). A place filed under several categories is
// read as filed under filedUnder, when it still is. Throws DbError.
std::optional<frmUpdate::StoredPlace> ReadListedPlace(qint32 placeId, const QString &filedUnder = QString());

// The labels of the inputs whose stored values differ between was and now, compared as the
// update would store them, in the window's order; "Parent Category" for the category the place is filed under. The
// category proposed to the user is the user's choice and is not compared.
QStringList ChangedFields(const frmUpdate::StoredPlace &was, const frmUpdate::StoredPlace &now);

// What "&Update" compares with, for a window filled from the list's texts (listed) while the place
// is stored as now: what is stored, except in a field where the list shows otherwise because of a
// change this program did not store (ownLast: what it stored last for the place). Such a change
// the user has not seen: the list's text stands there, so "&Update" asks before writing over it.
frmUpdate::StoredPlace ComparedWith(const frmUpdate::StoredPlace &listed, const frmUpdate::StoredPlace &now,
                                    const std::optional<frmUpdate::StoredPlace> &ownLast);

// What this program stored last for a place, as the list would show it; kept while it runs, since
// the list is not read again after an update.
void RememberStored(const frmUpdate::StoredPlace &place);
std::optional<frmUpdate::StoredPlace> LastStored(qint32 placeId);
