#include "data/RepeatedPlaces.h"

#include "data/DbError.h"
#include "data/FieldValues.h"
#include "data/SqlText.h"
#include "data/SqliteFunctions.h"
#include "data/TextRows.h"

#include <QCoreApplication>
#include <QSqlQuery>

#include <algorithm>
#include <optional>

namespace Processing {

namespace {

// Texts the database folds in one statement: many in PostgreSQL's one literal, fewer as rows.
qsizetype foldedPerStatement(Dialect dialect)
{
    return dialect == Dialect::PostgreSQL ? 10000 : 1000;
}
// Between the texts in PostgreSQL's one literal: a control character no typed text holds.
constexpr char16_t Separator = 0x1f;

QString literal(const QString &text)
{
    return QLatin1Char('\'') + SqlText(text) + QLatin1Char('\'');
}

// The texts, each with its position, folded by the database's upper(). PostgreSQL gets them as
// one literal it splits, which it reads far faster than a VALUES list; Oracle knows no VALUES
// list and gets a row of its own from dual for each.
QString foldQuery(const QStringList &texts, Dialect dialect)
{
    QString sql;
    const bool oneLiteral =
        dialect == Dialect::PostgreSQL &&
        std::none_of(texts.cbegin(), texts.cend(), [](const QString &text) { return text.contains(QChar(Separator)); });
    if (oneLiteral)
        return QStringLiteral("select n - 1, upper(t) from unnest(string_to_array(%1, chr(31))) with ordinality "
                              "as folded(t, n)")
            .arg(literal(texts.join(QChar(Separator))));
    for (qsizetype i = 0; i < texts.size(); ++i) {
        if (dialect == Dialect::Oracle)
            sql += QStringLiteral("%1select %2, upper(%3) from dual")
                       .arg(i > 0 ? QStringLiteral(" union all ") : QString(), QString::number(i), literal(texts[i]));
        else
            sql += QStringLiteral("%1(%2, %3)")
                       .arg(i > 0 ? QStringLiteral(", ") : QString(), QString::number(i), literal(texts[i]));
    }
    if (dialect == Dialect::Oracle)
        return sql;
    return QStringLiteral("select column1, upper(column2) from (values %1) folded").arg(sql);
}

// Each text as the database's upper() folds it; none where it gives NULL (Oracle's empty text).
QList<std::optional<QString>> foldedByDatabase(const QStringList &texts, Connection &db)
{
    QList<std::optional<QString>> folded(texts.size());
    const qsizetype perStatement = foldedPerStatement(db.dialect());
    for (qsizetype first = 0; first < texts.size(); first += perStatement) {
        const QStringList batch = texts.mid(first, perStatement);
        // Read as they come, as texts: a Recordset's values would cost more than the folding.
        const std::unique_ptr<TextRows> rows = ReadTextRows(db.run(foldQuery(batch, db.dialect())), db.database());
        while (rows->next()) {
            const std::optional<qint32> position = Int32Of(rows->value(0));
            const TextCell text = rows->text(1);
            if (position && *position >= 0 && *position < batch.size() && (text.size > 0 || !rows->value(1).isNull()))
                folded[first + *position] = TextOf(text);
        }
        if (const QString failure = rows->failure(); !failure.isEmpty())
            throw DbError(
                QCoreApplication::translate("Processing", "The new places could not be compared with the stored ones."),
                failure);
    }
    return folded;
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
    if (!foldedHere) {
        QStringList texts;
        texts.reserve(places.size() * 2);
        for (const NewPlaceKey &place : places)
            texts.append({TrimBlanks(place.name), TrimBlanks(place.address)});
        const QList<std::optional<QString>> folded = foldedByDatabase(texts, db);
        for (qsizetype i = 0; i < places.size(); ++i) {
            if (folded[2 * i] && folded[2 * i + 1])
                byKey[keyOf(*folded[2 * i], *folded[2 * i + 1])].append(i);
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
        throw DbError(QCoreApplication::translate("Processing", "The stored places could not be read."), failure);
    return repeats;
}

} // namespace Processing
