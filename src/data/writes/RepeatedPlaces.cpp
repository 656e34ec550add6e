#include "data/writes/RepeatedPlaces.h"

#include "data/DbError.h"
#include "data/connection/FieldValues.h"
#include "data/drivers/SqliteFunctions.h"
#include "data/rows/TextRows.h"
#include "data/statements/SqlText.h"

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

// The text without the blanks around it, as TrimBlanks() gives it, without a copy.
QStringView withoutBlanks(QStringView text)
{
    while (!text.isEmpty() && text.front() == u' ')
        text = text.sliced(1);
    while (!text.isEmpty() && text.back() == u' ')
        text.chop(1);
    return text;
}

bool ascii(QStringView text, char16_t below, char16_t above)
{
    return std::all_of(text.cbegin(), text.cend(),
                       [=](QChar c) { return c.unicode() >= below && c.unicode() <= above; });
}

void appendAsciiUpper(QString &key, QStringView text)
{
    const qsizetype at = key.size();
    key += text;
    char16_t *unit = reinterpret_cast<char16_t *>(key.data());
    for (qsizetype i = at; i < key.size(); ++i) {
        if (unit[i] >= u'a' && unit[i] <= u'z')
            unit[i] = char16_t(unit[i] - 32);
    }
}

// As the program's upper() folds a text; ASCII, most texts, without Qt's general way.
void appendUpper(QString &key, QStringView text)
{
    if (ascii(text, 0, 0x7f))
        appendAsciiUpper(key, text);
    else
        key += text.toString().toUpper();
}

// Whether the database's upper() turns a to z into A to Z and leaves the rest of printable ASCII
// as it is (a Turkish locale, for one, folds i otherwise). It folds character by character, so a
// text of printable ASCII alone can then be folded here, without sending it.
bool foldsAsciiAsAscii(Connection &db)
{
    QString every;
    for (char16_t c = 0x20; c <= 0x7e; ++c)
        every += QChar(c);
    QString expected;
    appendAsciiUpper(expected, every);
    return foldedByDatabase({every}, db).constFirst() == expected;
}

void appendCell(QString &key, const TextCell &cell)
{
    if (cell.wide)
        key += QStringView(static_cast<const QChar *>(cell.data), cell.size);
    else
        key += QLatin1StringView(static_cast<const char *>(cell.data), cell.size);
}

// Each new place's name and address, both folded as upper() folds them, as one key: a NUL, which
// no stored text holds, between them. None where the database folds either to NULL (Oracle's
// empty text), which equals nothing, as in the rule's query.
QList<std::optional<QString>> foldedKeys(const QList<NewPlaceKey> &places, Connection &db)
{
    QList<std::optional<QString>> keys(places.size());
    // Where upper() is the program's own, the program folds as it would, without asking.
    if (HasUnicodeUpper(db.database())) {
        for (qsizetype i = 0; i < places.size(); ++i) {
            const QStringView name = withoutBlanks(places[i].name);
            const QStringView address = withoutBlanks(places[i].address);
            QString &key = keys[i].emplace();
            key.reserve(name.size() + 1 + address.size());
            appendUpper(key, name);
            key += QChar(0);
            appendUpper(key, address);
        }
        return keys;
    }
    // The database folds the rest, empty texts among them: Oracle's is NULL.
    const bool asciiHere = foldsAsciiAsAscii(db);
    const auto foldedHere = [asciiHere](QStringView text) {
        return asciiHere && !text.isEmpty() && ascii(text, 0x20, 0x7e);
    };
    QStringList asked;
    for (const NewPlaceKey &place : places) {
        for (const QStringView text : {withoutBlanks(place.name), withoutBlanks(place.address)}) {
            if (!foldedHere(text))
                asked.append(text.toString());
        }
    }
    const QList<std::optional<QString>> answers = foldedByDatabase(asked, db);
    qsizetype answer = 0;
    const auto append = [&](QString &key, QStringView text) {
        if (foldedHere(text)) {
            appendAsciiUpper(key, text);
            return true;
        }
        const std::optional<QString> &folded = answers[answer++];
        if (folded)
            key += *folded;
        return folded.has_value();
    };
    for (qsizetype i = 0; i < places.size(); ++i) {
        const QStringView name = withoutBlanks(places[i].name);
        const QStringView address = withoutBlanks(places[i].address);
        QString key;
        key.reserve(name.size() + 1 + address.size());
        const bool nameFolded = append(key, name);
        key += QChar(0);
        // The address's answer is taken in turn even after a NULL name.
        if (append(key, address) && nameFolded)
            keys[i] = std::move(key);
    }
    return keys;
}

} // namespace

PlaceRepeats FindRepeatedPlaces(const QList<NewPlaceKey> &places, Connection &db)
{
    const QList<std::optional<QString>> keys = foldedKeys(places, db);
    PlaceRepeats repeats;
    // The first place of each key; the ones after it repeat it. The stored places, far fewer
    // than an import's, are then looked up among them.
    QHash<QStringView, qsizetype> first;
    first.reserve(keys.size());
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (!keys[i])
            continue;
        const auto found = first.constFind(QStringView(*keys[i]));
        if (found == first.cend())
            first.insert(QStringView(*keys[i]), i);
        else
            repeats.earlier.insert(i, *found);
    }
    if (first.isEmpty())
        return repeats;
    // Every stored place once, read as it comes: the first of a key -> the last such place read.
    QHash<qsizetype, qint32> storedAs;
    QSqlQuery query = db.run(QStringLiteral("select LEAF_ID, upper(LEAF_NAME), upper(TELEPHONE) from PLACES_LEAVES "
                                            "where LEAF_NAME is not null and TELEPHONE is not null"));
    const std::unique_ptr<TextRows> rows = ReadTextRows(std::move(query), db.database());
    QString key;
    while (rows->next()) {
        key.clear();
        appendCell(key, rows->text(1));
        key += QChar(0);
        appendCell(key, rows->text(2));
        const auto found = first.constFind(QStringView(key));
        if (found == first.cend())
            continue;
        if (const std::optional<qint32> id = Int32Of(rows->value(0)))
            storedAs.insert(*found, *id);
    }
    if (const QString failure = rows->failure(); !failure.isEmpty())
        throw DbError(QCoreApplication::translate("Processing", "The stored places could not be read."), failure);
    for (auto it = storedAs.cbegin(); it != storedAs.cend(); ++it)
        repeats.stored.insert(it.key(), it.value());
    for (auto it = repeats.earlier.cbegin(); it != repeats.earlier.cend(); ++it) {
        if (const auto stored = storedAs.constFind(it.value()); stored != storedAs.cend())
            repeats.stored.insert(it.key(), *stored);
    }
    return repeats;
}

} // namespace Processing
