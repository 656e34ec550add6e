#pragma once

#include <QString>
#include <QStringList>

#include "DirectoryGenerator.h"
#include <cstdint>

// A small fixed pseudo-random sequence (splitmix64): the same seed gives the same numbers on
// every platform and standard library, which std::uniform_int_distribution does not promise.
class Rng
{
public:
    explicit Rng(std::uint64_t seed) : m_state(seed) {}

    std::uint64_t next();
    // 0 .. n-1
    int below(int n) { return int(next() % std::uint64_t(n)); }
    // lo .. hi, both included
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool chance(int numerator, int denominator) { return below(denominator) < numerator; }

private:
    std::uint64_t m_state;
};

struct CategoryRow
{
    int id = 0;
    int parentId = 0;
    QString name;
};

struct DistrictRow
{
    int id = 0;
    int cityCode = 0;
    QString name;
};

// One place as stored. Address and telephone go to the columns the program uses for them:
// the address text to TELEPHONE, the telephone text to ADDRESS.
struct PlaceRow
{
    int leafId = 0;
    int branchId = 0;
    int cityCode = 0;
    int districtId = 0;
    QString name;
    QString addressText;
    QString telephoneText;
    QString more;
    QString webLink; // null when the place has none
};

// The rows of a directory of the given shape, in the order they are written.
class DirectoryContent
{
public:
    explicit DirectoryContent(const DirectoryShape &shape);

    const QList<CategoryRow> &categories() const { return m_categories; }
    const QStringList &cityNames() const { return m_cityNames; } // code i + 1 at index i
    const QList<DistrictRow> &districts() const { return m_districts; }

    // Places are made one at a time, in identifier order, from their own sequence.
    PlaceRow nextPlace();
    // The bytes of the texts the places list shows for a place: its own texts and the names
    // of its city, district and category.
    qint64 listedTextBytes(const PlaceRow &place) const;

private:
    DirectoryShape m_shape;
    QList<CategoryRow> m_categories;
    QStringList m_cityNames;
    QList<DistrictRow> m_districts;
    Rng m_placeRng;
    int m_nextLeafId = 1;
};
