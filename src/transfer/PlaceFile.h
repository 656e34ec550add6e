#pragma once

#include "data/writes/PlaceImport.h"

#include <QByteArray>
#include <QList>
#include <QString>

// A CSV file of places as the import reads it: a header naming the columns, in any order, then
// one place a record. Every cell loses the ' that guards a formula-like text.
struct PlaceFile
{
    // The file's text, which the places' texts are parts of.
    QString text;
    QList<Processing::ImportedPlace> places;
    // Records that are no place: a broken quote, too few or too many fields.
    QList<Processing::ImportRefusal> refused;
    // Why the file as a whole cannot be read; empty when it can.
    QString refusal;
};

// encoding: a name Qt decodes ("windows-1256", "ISO-8859-6" ...); empty for UTF-8, with or without
// a byte-order mark. The bytes are let go of once decoded.
PlaceFile ReadPlaceFile(QByteArray bytes, const QString &encoding);
