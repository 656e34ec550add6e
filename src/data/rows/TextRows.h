#pragma once

#include <QString>
#include <QVariant>

#include <memory>

class QSqlDatabase;
class QSqlQuery;

namespace Processing {

// One value of a row as text: one byte a character (Latin-1) or UTF-16. A NULL is an empty text.
// Valid until the reader moves on.
struct TextCell
{
    const void *data = nullptr;
    qsizetype size = 0; // characters
    bool wide = false;  // UTF-16 when true
};

// The cell's text as a QString; a null one for an empty cell.
QString TextOf(const TextCell &cell);

// The rows of an executed query, read as texts. Qt SQL hands over every value as a QVariant and
// every text as a fresh UTF-16 copy; a long list pays more for that than for the query itself.
// Where the program knows the driver's own API, the values come straight from it instead, with
// the texts and failures Qt SQL would give.
class TextRows
{
public:
    virtual ~TextRows() = default;
    // Moves to the next row; false at the end or when reading failed (failure() says why).
    virtual bool next() = 0;
    // A column of the current row as text, as QVariant::toString() gives it.
    virtual TextCell text(int position) = 0;
    // A column of the current row as Qt SQL gives it, for values that are not read as text.
    virtual QVariant value(int position) = 0;
    // The driver's error that ended the reading; empty when it reached the end.
    virtual QString failure() const = 0;
};

// Reads an executed forward-only query, taken over, through SQLite's own API where the driver
// runs on the program's SQLite library, and through Qt SQL for every other driver.
std::unique_ptr<TextRows> ReadTextRows(QSqlQuery query, const QSqlDatabase &db);

} // namespace Processing
