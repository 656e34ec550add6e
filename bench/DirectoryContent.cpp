#include "DirectoryContent.h"

#include <algorithm>
#include <array>

namespace {

const std::array TopCategories = {"Food & Drink", "Shopping",  "Health",     "Culture & Leisure", "Travel",
                                  "Education",    "Sports",    "Services",   "Automotive",        "Home & Garden",
                                  "Finance",      "Beauty",    "Technology", "Government",        "Real Estate",
                                  "Hotels",       "Transport", "Media",      "Religion",          "Industry"};

const std::array CategoryWords = {"Restaurants", "Cafes",     "Bakeries",  "Markets",   "Clinics",   "Pharmacies",
                                  "Museums",     "Cinemas",   "Agencies",  "Schools",   "Clubs",     "Repairs",
                                  "Dealers",     "Nurseries", "Banks",     "Salons",    "Shops",     "Offices",
                                  "Stations",    "Studios",   "Workshops", "Galleries", "Suppliers", "Centres"};

const std::array CategoryQualifiers = {"Local",   "Family",   "Budget", "Premium", "Express", "Classic",
                                       "Modern",  "Organic",  "Public", "Private", "Night",   "Seaside",
                                       "Central", "Old Town", "Mobile", "Online"};

const std::array NameWords = {"Golden", "Royal",   "Nile",    "Green",   "Palm",    "Cedar",   "Blue",     "Star",
                              "Sun",    "Moon",    "Garden",  "Corner",  "Market",  "House",   "Kitchen",  "Bakery",
                              "Clinic", "Books",   "Motors",  "Tailors", "Salon",   "Travel",  "Hotel",    "Cafe",
                              "Grill",  "Studio",  "Centre",  "Gallery", "Office",  "Pearl",   "Oasis",    "Harbour",
                              "Lotus",  "Falcon",  "Jasmine", "Olive",   "Horizon", "Crystal", "Silver",   "Desert",
                              "River",  "Bridge",  "Tower",   "Square",  "Plaza",   "Express", "Brothers", "& Sons",
                              "Delta",  "Al Amal", "Nour",    "Zahra",   "Sahara",  "Atlas",   "Marina",   "Summit"};

// Some places carry words beyond ASCII: accented Latin, and Arabic script (beyond one byte
// a character), so the list is measured on the texts a directory really holds.
const std::array AccentedWords = {"Café", "Pâtisserie", "Bäckerei", "Señor", "Crème", "Müller", "Librería", "Forêt"};
const std::array ArabicWords = {"مطعم", "صيدلية", "مكتبة", "سوق", "مقهى", "فندق", "النور", "الأمل"};

const std::array Syllables = {"al",  "ba",  "da",  "el",  "fa",  "ga",  "ha",  "ja",  "ka",  "la",  "ma",
                              "na",  "ra",  "sa",  "ta",  "wa",  "za",  "bir", "dor", "fen", "kar", "lin",
                              "mir", "nor", "qas", "rum", "sid", "tar", "ul",  "yan", "zor", "hel"};

const std::array StreetWords = {"Main",   "Station", "Market", "Harbour", "Garden", "Mosque",  "Church", "Palace",
                                "Museum", "Bridge",  "Canal",  "Airport", "River",  "Freedom", "Unity",  "University"};

const std::array StreetKinds = {"Street", "St.", "Road", "Avenue", "Boulevard", "Lane", "Square"};

const std::array MoreWords = {"open",        "daily",   "from",     "nine",     "until",    "late",    "closed",
                              "Fridays",     "parking", "nearby",   "delivery", "free",     "for",     "orders",
                              "over",        "twenty",  "card",     "payment",  "accepted", "family",  "friendly",
                              "wheelchair",  "access",  "ask",      "for",      "the",      "manager", "booking",
                              "recommended", "at",      "weekends", "English",  "spoken",   "since",   "1987"};

template<std::size_t N> QString pick(Rng &rng, const std::array<const char *, N> &words)
{
    return QString::fromUtf8(words[rng.below(int(N))]);
}

template<std::size_t N>
QString wordsOfLength(Rng &rng, const std::array<const char *, N> &words, int length, QLatin1Char separator)
{
    QString text;
    while (text.size() < length) {
        if (!text.isEmpty())
            text += separator;
        text += pick(rng, words);
    }
    text.truncate(length);
    // A cut at a blank would leave a trailing blank that the database keeps.
    if (text.endsWith(QLatin1Char(' ')))
        text[text.size() - 1] = QLatin1Char('s');
    return text;
}

QString properName(Rng &rng, int syllables)
{
    QString name;
    for (int i = 0; i < syllables; ++i)
        name += QString::fromLatin1(Syllables[rng.below(int(Syllables.size()))]);
    name[0] = name[0].toUpper();
    return name;
}

QString slug(const QString &name)
{
    QString slug;
    for (const QChar c : name) {
        if (c.isLetterOrNumber())
            slug += c.toLower();
    }
    return slug.left(40);
}

} // namespace

std::uint64_t Rng::next()
{
    std::uint64_t z = (m_state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

DirectoryContent::DirectoryContent(const DirectoryShape &shape) : m_shape(shape), m_placeRng(shape.seed ^ 0x51ace5ULL)
{
    Rng rng(shape.seed);

    // Level by level, so every parent comes before its children in identifier order.
    int id = 1;
    for (int t = 0; t < shape.topCategories; ++t) {
        const QString base = QString::fromLatin1(TopCategories[t % TopCategories.size()]);
        m_categories.append({id++, 0, t < int(TopCategories.size()) ? base : base + QStringLiteral(" %1").arg(t)});
    }
    const int topCount = int(m_categories.size());
    for (int t = 0; t < topCount; ++t) {
        for (int s = 0; s < shape.perTop; ++s)
            m_categories.append({id++, m_categories.at(t).id,
                                 pick(rng, CategoryWords) + QStringLiteral(" %1-%2").arg(t + 1).arg(s + 1)});
    }
    const int secondCount = int(m_categories.size());
    for (int p = topCount; p < secondCount; ++p) {
        for (int s = 0; s < shape.perSecond; ++s)
            m_categories.append({id++, m_categories.at(p).id,
                                 pick(rng, CategoryQualifiers) + QLatin1Char(' ') + pick(rng, CategoryWords)});
    }

    for (int c = 0; c < shape.cities; ++c)
        m_cityNames.append(properName(rng, rng.between(2, 4)) +
                           (rng.chance(1, 4) ? QStringLiteral(" City") : QString()));

    for (int d = 0; d < shape.districts; ++d) {
        const int city = 1 + d % shape.cities;
        m_districts.append(
            {d + 1, city, properName(rng, rng.between(2, 3)) + QStringLiteral(" %1").arg(1 + d / shape.cities)});
    }
}

PlaceRow DirectoryContent::nextPlace()
{
    Rng &rng = m_placeRng;
    PlaceRow place;
    place.leafId = m_nextLeafId++;
    place.branchId = 1 + rng.below(int(m_categories.size()));
    // A district of the place's own city, so the places query's joins find it.
    const DistrictRow &district = m_districts.at(rng.below(int(m_districts.size())));
    place.districtId = district.id;
    place.cityCode = district.cityCode;
    const int length = rng.between(10, 40);
    switch (rng.below(8)) {
    case 0:
        place.name = pick(rng, AccentedWords) + QLatin1Char(' ');
        break;
    case 1:
        place.name = pick(rng, ArabicWords) + QLatin1Char(' ');
        break;
    default:
        break;
    }
    // At least a short word after the leading one, so no name ends in a blank.
    place.name += wordsOfLength(rng, NameWords, std::max(4, length - int(place.name.size())), QLatin1Char(' '));
    place.addressText =
        QStringLiteral("%1 %2 %3").arg(rng.between(1, 250)).arg(pick(rng, StreetWords), pick(rng, StreetKinds));
    if (rng.chance(1, 2))
        place.addressText += QStringLiteral(", Building %1, Floor %2").arg(rng.between(1, 40)).arg(rng.between(1, 12));
    place.telephoneText = QStringLiteral("+%1 %2 %3 %4")
                              .arg(rng.between(20, 99))
                              .arg(rng.between(2, 9))
                              .arg(rng.between(100, 999))
                              .arg(rng.between(1000, 9999));
    if (rng.chance(1, 5))
        place.telephoneText += QStringLiteral(" / %1").arg(rng.between(1000000, 9999999));
    place.more = wordsOfLength(rng, MoreWords, rng.between(0, 200), QLatin1Char(' '));
    // Two places in three have a web link, with the leading blank the program writes.
    if (rng.chance(2, 3))
        place.webLink = QStringLiteral(" http://www.") + slug(place.name) + QStringLiteral(".example.com/");
    return place;
}

qint64 DirectoryContent::listedTextBytes(const PlaceRow &place) const
{
    return place.name.toUtf8().size() + m_cityNames.at(place.cityCode - 1).toUtf8().size() +
           m_districts.at(place.districtId - 1).name.toUtf8().size() + place.addressText.toUtf8().size() +
           place.telephoneText.toUtf8().size() + place.more.toUtf8().size() + place.webLink.toUtf8().size() +
           m_categories.at(place.branchId - 1).name.toUtf8().size();
}
