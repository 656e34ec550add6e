#include "data/RepeatedPlaces.h"

#include "data/DbError.h"
#include "data/FieldValues.h"
#include "data/SqlText.h"
#include "data/SqliteFunctions.h"
#include "data/TextRows.h"

#include <QSqlQuery>

#include <algorithm>
#include <optional>

namespace Processing {

namespace {

// New places whose case the database folds in one statement.
constexpr qsizetype FoldedPerStatement = 1000;

// The position, the folded name and the folded address of each place of the batch. Oracle knows
// no VALUES list: there a row of its own from dual for each.
QString foldQuery(const QList<NewPlaceKey> &places, qsizetype first, qsizetype count, Dialect dialect)
{
    const auto literal = [](const QString &text) {
        return QLatin1Char('\'') + SqlText(TrimBlanks(text)) + QLatin1Char('\'');
    };
    QString sql;
    if (dialect == Dialect::Oracle) {
        for (qsizetype i = first; i < first + count; ++i) {
            if (i > first)
                sql += QStringLiteral(" union all ");
            sql += QStringLiteral("select %1, upper(%2), upper(%3) from dual")
                       .arg(QString::number(i), literal(places[i].name), literal(places[i].address));
        }
        return sql;
    }
    sql = QStringLiteral("select column1, upper(column2), upper(column3) from (values ");
    for (qsizetype i = first; i < first + count; ++i) {
        if (i > first)
            sql += QStringLiteral(", ");
        sql +=
            QStringLiteral("(%1, %2, %3)").arg(QString::number(i), literal(places[i].name), literal(places[i].address));
    }
    return sql + QStringLiteral(") folded");
}

// As the program's upper() folds a text; ASCII, most texts, without Qt's general way.
QString upper(const QString &text)
{
    QString folded = text;
    char16_t *unit = reinterpret_cast<char16_t *>(folded.data());
    for (qsizetype i = 0; i < folded.size(); ++i) {
        if (unit[i] >= 0x80)
            return text.toUpper();
        if (unit[i] >= u'a' && unit[i] <= u'z')
            unit[i] = char16_t(unit[i] - 32);
    }
    return folded;
}

// A name and an address as one key; a NUL, which no stored text holds, between them.
QString keyOf(const QString &name, const QString &address)
{
    return name + QChar(0) + address;
}

} // namespace

PlaceRepeats FindRepeatedPlaces(const QList<NewPlaceKey> &places, Connection &db)
{
    // The new places by folded key. A NULL folded text (Oracle's empty text) equals nothing, as in
    // the rule's query.
    QHash<QString, QList<qsizetype>> byKey;
    // Where upper() is the program's own, the program folds as it would, without asking.
    const bool foldedHere = HasUnicodeUpper(db.database());
    if (foldedHere) {
        for (qsizetype i = 0; i < places.size(); ++i)
            byKey[keyOf(upper(TrimBlanks(places[i].name)), upper(TrimBlanks(places[i].address)))].append(i);
    }
    for (qsizetype first = 0; !foldedHere && first < places.size(); first += FoldedPerStatement) {
        const qsizetype count = std::min(FoldedPerStatement, places.size() - first);
        const Recordset folded = db.openRecordset(foldQuery(places, first, count, db.dialect()));
        for (int row = 0; row < folded.RecordCount(); ++row) {
            const std::optional<qint32> position = folded.int32(row, 0);
            if (position && !folded.isNull(row, 1) && !folded.isNull(row, 2))
                byKey[keyOf(folded.text(row, 1), folded.text(row, 2))].append(*position);
        }
    }
    PlaceRepeats repeats;
    for (QList<qsizetype> &positions : byKey) {
        std::sort(positions.begin(), positions.end());
        for (qsizetype i = 1; i < positions.size(); ++i)
            repeats.earlier.insert(positions[i], positions[0]);
    }
    if (byKey.isEmpty())
        return repeats;
    // Every stored place once, read as it comes.
    QSqlQuery query = db.run(QStringLiteral("select LEAF_ID, upper(LEAF_NAME), upper(TELEPHONE) from PLACES_LEAVES "
                                            "where LEAF_NAME is not null and TELEPHONE is not null"));
    const std::unique_ptr<TextRows> rows = ReadTextRows(std::move(query), db.database());
    while (rows->next()) {
        const auto found = byKey.constFind(keyOf(TextOf(rows->text(1)), TextOf(rows->text(2))));
        if (found == byKey.cend())
            continue;
        if (const std::optional<qint32> id = Int32Of(rows->value(0))) {
            for (const qsizetype position : *found)
                repeats.stored.insert(position, *id);
        }
    }
    if (const QString failure = rows->failure(); !failure.isEmpty())
        throw DbError(QStringLiteral("The stored places could not be read."), failure);
    return repeats;
}

} // namespace Processing
