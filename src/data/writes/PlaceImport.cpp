#include "data/writes/PlaceImport.h"

#include "data/connection/Transaction.h"
#include "data/statements/DialectWrites.h"
#include "data/statements/PlaceStatements.h"
#include "data/statements/ReferenceListStatements.h"
#include "data/statements/SqlText.h"
#include "data/writes/BulkRows.h"
#include "data/writes/CategoryPaths.h"
#include "data/writes/CitiesAndDistricts.h"
#include "data/writes/NewIdentifiers.h"
#include "data/writes/NewRowWrite.h"
#include "data/writes/RepeatedPlaces.h"
#include "data/writes/RowLocks.h"

#include <QHash>

namespace Processing {

namespace {

// The add window's texts for what it refuses.
const QString EmptyName = QStringLiteral("Error You Must Enter valid Place Name ");
const QString EmptyAddress = QStringLiteral("You Can't Enter a Place without Address ");
const QString EmptyCategoryName = QStringLiteral("Error You Must Enter valid Category Name ");
const QString Repeated = QStringLiteral("This Place name and address are repeated ,This can't be added");

// The longest text each input of the add window takes, and the new names' boxes.
struct Limit
{
    const char *label;
    QString ImportedPlace::*text;
    qsizetype longest;
};
const Limit Limits[] = {
    {"Name", &ImportedPlace::name, 250},           {"Address", &ImportedPlace::address, 400},
    {"Telephone", &ImportedPlace::telephone, 100}, {"URL", &ImportedPlace::url, 100},
    {"More", &ImportedPlace::more, 250},
};
constexpr qsizetype LongestCategoryName = 50;
constexpr qsizetype LongestDistrictName = 20;

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString tooLong(const QString &what, qsizetype length, qsizetype longest)
{
    return QStringLiteral("the %1 is %2 characters long; at most %3 fit").arg(what).arg(length).arg(longest);
}

struct NewCategory
{
    qint32 id;
    QString name;
    qint32 parent;
};
struct NewDistrict
{
    qint32 id;
    QString name;
    qint32 city;
};

// What the places are checked against, read inside the write's transaction, and what they make.
class ImportPlan
{
public:
    ImportPlan(bool createMissing, Connection &db)
        : m_createMissing(createMissing),
          // Held against deletion until the commit: a place is never filed under a category gone.
          m_categories(CategoryPaths::Read(db, DialectWritesOf(db.dialect()).holdAgainstChange)),
          m_places(CitiesAndDistricts::Read(db))
    {}

    // Why the place cannot be stored; none when it can, and then where it goes.
    QStringList check(const ImportedPlace &place, qint32 &city, qint32 &district, qint32 &category);

    QList<NewCategory> newCategories;
    QList<NewDistrict> newDistricts;
    // The first identifier of a new category or district that does not fit; 0 when all do.
    qint64 categoryTooLarge = 0;
    qint64 districtTooLarge = 0;

private:
    std::optional<qint32> findCity(const ImportedPlace &place, QStringList &why) const;
    std::optional<qint32> findDistrict(const ImportedPlace &place, qint32 city, QStringList &why);
    std::optional<qint32> findCategory(const ImportedPlace &place, QStringList &why);
    std::optional<qint32> makeCategories(const QString &path, QStringList &why);

    const bool m_createMissing;
    CategoryPaths m_categories;
    CitiesAndDistricts m_places;
    // What a city and district, or a category, as a file names them, were found to be.
    struct Found
    {
        QPair<qint32, qint32> ids;
        QStringList why;
    };
    QHash<QString, Found> m_whereFound;
    QHash<QString, Found> m_categoryFound;
};

QStringList ImportPlan::check(const ImportedPlace &place, qint32 &city, qint32 &district, qint32 &category)
{
    QStringList why;
    if (TrimBlanks(place.name).isEmpty())
        why.append(EmptyName);
    // Only an empty address is refused: blanks count as one, as in the window.
    if (place.address.isEmpty())
        why.append(EmptyAddress);
    for (const Limit &limit : Limits) {
        const QString &text = place.*limit.text;
        if (text.size() > limit.longest)
            why.append(tooLong(QString::fromLatin1(limit.label), text.size(), limit.longest));
        // A text column cannot hold it, and the window's boxes take none.
        if (text.contains(QChar(0)))
            why.append(QStringLiteral("the %1 holds a NUL character, which cannot be stored")
                           .arg(QString::fromLatin1(limit.label)));
    }
    // Many places name the same few: each name is looked up once.
    const QString where = place.city + QChar(0) + place.district;
    auto found = m_whereFound.constFind(where);
    if (found == m_whereFound.cend()) {
        Found lookedUp;
        const std::optional<qint32> inCity = findCity(place, lookedUp.why);
        lookedUp.ids = {inCity.value_or(0), inCity ? findDistrict(place, *inCity, lookedUp.why).value_or(0) : 0};
        found = m_whereFound.insert(where, lookedUp);
    }
    auto filed = m_categoryFound.constFind(place.category);
    if (filed == m_categoryFound.cend()) {
        Found lookedUp;
        lookedUp.ids = {findCategory(place, lookedUp.why).value_or(0), 0};
        filed = m_categoryFound.insert(place.category, lookedUp);
    }
    why += found->why + filed->why;
    city = found->ids.first;
    district = found->ids.second;
    category = filed->ids.first;
    return why;
}

std::optional<qint32> ImportPlan::findCity(const ImportedPlace &place, QStringList &why) const
{
    if (TrimBlanks(place.city).isEmpty()) {
        why.append(QStringLiteral("no City given"));
        return std::nullopt;
    }
    // Cities are the directory's reference rows: the program never makes one.
    const QList<qint32> cities = m_places.CitiesNamed(place.city);
    if (cities.isEmpty())
        why.append(QStringLiteral("unknown city %1").arg(quoted(TrimBlanks(place.city))));
    else if (cities.size() > 1)
        why.append(QStringLiteral("%1 cities are named %2").arg(cities.size()).arg(quoted(TrimBlanks(place.city))));
    else
        return cities.constFirst();
    return std::nullopt;
}

std::optional<qint32> ImportPlan::findDistrict(const ImportedPlace &place, qint32 city, QStringList &why)
{
    const QString name = TrimBlanks(place.district);
    if (name.isEmpty()) {
        why.append(QStringLiteral("no District given"));
        return std::nullopt;
    }
    const QList<qint32> districts = m_places.DistrictsNamed(name, city);
    if (districts.size() == 1)
        return districts.constFirst();
    const QString cityName = quoted(TrimBlanks(m_places.CityName(city)));
    if (districts.size() > 1) {
        why.append(QStringLiteral("%1 districts of %2 are named %3").arg(districts.size()).arg(cityName, quoted(name)));
        return std::nullopt;
    }
    if (!m_createMissing) {
        const QList<qint32> elsewhere = m_places.CitiesWithDistrict(name);
        if (elsewhere.isEmpty())
            why.append(QStringLiteral("unknown district %1 in %2").arg(quoted(name), cityName));
        else
            why.append(QStringLiteral("the district %1 lies in %2, not in %3")
                           .arg(quoted(name), quoted(TrimBlanks(m_places.CityName(elsewhere.constFirst()))), cityName));
        return std::nullopt;
    }
    if (place.district.size() > LongestDistrictName) {
        why.append(tooLong(QStringLiteral("new district's name"), place.district.size(), LongestDistrictName));
        return std::nullopt;
    }
    // As the add window makes one: named as typed, counted from all the districts.
    const qint64 id = ChooseNewRowIdentifier(
        m_places.DistrictCount(), [this](qint64 taken) { return m_places.DistrictTaken(taken); },
        [this] { return m_places.LargestDistrict() + 1; });
    if (id > LargestIdentifier) {
        if (!districtTooLarge)
            districtTooLarge = id;
        return std::nullopt;
    }
    m_places.AddDistrict(qint32(id), place.district, city);
    newDistricts.append({qint32(id), place.district, city});
    return qint32(id);
}

std::optional<qint32> ImportPlan::findCategory(const ImportedPlace &place, QStringList &why)
{
    if (place.category.trimmed().isEmpty()) {
        why.append(QStringLiteral("no Category given"));
        return std::nullopt;
    }
    const QList<qint32> found = m_categories.Find(place.category);
    if (found.size() == 1)
        return found.constFirst();
    if (found.size() > 1) {
        why.append(QStringLiteral("the category %1 is ambiguous: %2 categories are so named; give its path from the "
                                  "root, the names joined by \"%3\"")
                       .arg(quoted(place.category.trimmed()))
                       .arg(found.size())
                       .arg(QLatin1StringView(CategoryPathSeparator)));
        return std::nullopt;
    }
    if (!m_createMissing) {
        why.append(QStringLiteral("unknown category %1").arg(quoted(place.category.trimmed())));
        return std::nullopt;
    }
    return makeCategories(place.category, why);
}

std::optional<qint32> ImportPlan::makeCategories(const QString &path, QStringList &why)
{
    // The names as typed, so that a category comes back as it was exported; the blanks that
    // separate them are the separator's.
    const QStringList names = path.split(QLatin1StringView(CategoryPathSeparator));
    for (const QString &name : names) {
        if (TrimBlanks(name).isEmpty()) {
            why.append(EmptyCategoryName);
            return std::nullopt;
        }
        if (name.size() > LongestCategoryName) {
            why.append(tooLong(QStringLiteral("category name %1").arg(quoted(name)), name.size(), LongestCategoryName));
            return std::nullopt;
        }
    }
    // Below the deepest level of the path that is there.
    qint32 parent = 0;
    qsizetype there = names.size() - 1;
    for (; there > 0; --there) {
        const QList<qint32> found =
            m_categories.Find(names.first(there).join(QLatin1StringView(CategoryPathSeparator)));
        if (found.size() > 1) {
            why.append(QStringLiteral("the category %1 is ambiguous")
                           .arg(quoted(names.first(there).join(QLatin1StringView(CategoryPathSeparator)))));
            return std::nullopt;
        }
        if (found.size() == 1) {
            parent = found.constFirst();
            break;
        }
    }
    for (qsizetype level = there; level < names.size(); ++level) {
        // As the add window makes one: its identifier from the entries of its category list, the
        // "* Root *" entry among them.
        const qint64 id = ChooseNewRowIdentifier(
            m_categories.Count() + 1, [this](qint64 taken) { return m_categories.Contains(qint32(taken)); },
            [this] { return m_categories.Largest() + 1; });
        if (id > LargestIdentifier) {
            if (!categoryTooLarge)
                categoryTooLarge = id;
            return std::nullopt;
        }
        m_categories.Add(qint32(id), names[level], parent);
        newCategories.append({qint32(id), names[level], parent});
        parent = qint32(id);
    }
    return parent;
}

QString noRoom(const QString &kind, qint64 id)
{
    return QStringLiteral("A new %1 would get the identifier %2, above the largest the directory can keep (%3).")
        .arg(kind)
        .arg(id)
        .arg(LargestIdentifier);
}

struct Destination
{
    qint32 city = 0;
    qint32 district = 0;
    qint32 category = 0;
};

// One try in one transaction; throws DbError.
ImportOutcome tryImport(const QList<ImportedPlace> &places, const ImportOptions &options, Connection &db)
{
    ImportOutcome outcome;
    Transaction write(db);
    // No one adds a place between the check for repeats and the commit.
    HoldAgainstAdds(QStringLiteral("PLACES_LEAVES"), db);
    ImportPlan plan(options.createMissing, db);
    QList<Destination> destinations(places.size());
    QHash<qsizetype, QStringList> why;
    QList<NewPlaceKey> keys;
    keys.reserve(places.size());
    for (qsizetype i = 0; i < places.size(); ++i) {
        Destination &to = destinations[i];
        const QStringList faults = plan.check(places[i], to.city, to.district, to.category);
        if (!faults.isEmpty())
            why.insert(i, faults);
        keys.append({places[i].name, places[i].address});
    }
    const PlaceRepeats repeats = FindRepeatedPlaces(keys, db);
    for (auto it = repeats.stored.cbegin(); it != repeats.stored.cend(); ++it)
        why[it.key()].append(QStringLiteral("Repeated Entry: %1 (the stored place %2)").arg(Repeated).arg(it.value()));
    for (auto it = repeats.earlier.cbegin(); it != repeats.earlier.cend(); ++it) {
        if (!repeats.stored.contains(it.key()))
            why[it.key()].append(
                QStringLiteral("repeats line %1: the same name and address").arg(places[it.value()].line));
    }
    for (qsizetype i = 0; i < places.size(); ++i) {
        if (why.contains(i))
            outcome.refused.append({places[i].line, why[i].join(QStringLiteral("; "))});
    }
    // By the place rule, consecutive identifiers from one above the largest.
    const qint64 first = NextLeafId(db);
    const qint64 room = std::max<qint64>(0, qint64(LargestIdentifier) + 1 - first);
    if (places.size() > room)
        outcome.refusedWhole = QStringLiteral("The directory has room for %1 more place%2 (identifiers up to %3); the "
                                              "file holds %4.")
                                   .arg(room)
                                   .arg(room == 1 ? QString() : QStringLiteral("s"))
                                   .arg(LargestIdentifier)
                                   .arg(places.size());
    else if (plan.categoryTooLarge)
        outcome.refusedWhole = noRoom(QStringLiteral("category"), plan.categoryTooLarge);
    else if (plan.districtTooLarge)
        outcome.refusedWhole = noRoom(QStringLiteral("district"), plan.districtTooLarge);
    // Left here, the transaction rolls back.
    if (!outcome.stored() || options.checkOnly)
        return outcome;

    for (const NewCategory &category : plan.newCategories)
        write.execute(InsertCategoryStatement(category.id, category.name, category.parent));
    for (const NewDistrict &district : plan.newDistricts)
        write.execute(InsertDistrictStatement(district.id, district.name, district.city));
    if (!write.failed()) {
        BulkRows rows(db, QStringLiteral("PLACES_LEAVES"),
                      {QStringLiteral("LEAF_ID"), QStringLiteral("LEAF_NAME"), QStringLiteral("ADDRESS"),
                       QStringLiteral("TELEPHONE"), QStringLiteral("CITY"), QStringLiteral("DISTRICT"),
                       QStringLiteral("MORE_DATA"), QStringLiteral("WEB_LINK")});
        for (qsizetype i = 0; i < places.size(); ++i) {
            const ImportedPlace &place = places[i];
            const NewPlaceColumns row = NewPlaceRow({place.name, place.address, place.telephone, place.more, place.url,
                                                     destinations[i].city, destinations[i].district});
            rows.number(first + i);
            rows.text(row.leafName);
            rows.text(row.address);
            rows.text(row.telephone);
            rows.number(row.city);
            rows.number(row.district);
            rows.text(row.moreData);
            rows.text(row.webLink);
            rows.endRow();
        }
        rows.finish();
        BulkRows links(db, QStringLiteral("PLACES_BRANCH_LEAVES"),
                       {QStringLiteral("BRANCH_ID"), QStringLiteral("LEAF_ID")});
        for (qsizetype i = 0; i < places.size(); ++i) {
            links.number(destinations[i].category);
            links.number(first + i);
            links.endRow();
        }
        links.finish();
    }
    outcome.failure = write.finish();
    if (!outcome.failure) {
        outcome.placesStored = places.size();
        outcome.categoriesMade = plan.newCategories.size();
        outcome.districtsMade = plan.newDistricts.size();
    }
    return outcome;
}

} // namespace

ImportOutcome ImportPlaces(const QList<ImportedPlace> &places, const ImportOptions &options, Connection &db)
{
    // Another user may take a new category's or district's identifier between the reads and the
    // commit; then everything is chosen again, as the add window does for one row.
    for (int attempt = 1;; ++attempt) {
        ImportOutcome outcome;
        try {
            outcome = tryImport(places, options, db);
        } catch (const DbError &error) {
            outcome.failure = error;
        }
        if (!outcome.failure || !IsKeyTaken(*outcome.failure, db.dialect()) || attempt == NewIdentifierTries)
            return outcome;
    }
}

} // namespace Processing
