#pragma once

#include "data/connection/Connection.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QSet>
#include <QString>

namespace Processing {

// Cities and districts by name, for files that name them rather than give their identifiers.
// Names match with the blanks around them left out, as the program stores what is typed.
class CitiesAndDistricts
{
public:
    // Read over db with the add window's lists. Throws DbError.
    static CitiesAndDistricts Read(Connection &db);

    QList<qint32> CitiesNamed(const QString &name) const;
    QString CityName(qint32 code) const { return m_cityNames.value(code); }
    // The districts of city so named, and the cities that have one so named.
    QList<qint32> DistrictsNamed(const QString &name, qint32 city) const;
    QList<qint32> CitiesWithDistrict(const QString &name) const;

    // What a new district's identifier is chosen from: the rows counted, and those in use.
    qsizetype DistrictCount() const { return m_districtIds.size(); }
    bool DistrictTaken(qint64 id) const { return m_districtIds.contains(id); }
    qint64 LargestDistrict() const;
    // A district made meanwhile.
    void AddDistrict(qint32 id, const QString &name, qint32 city);

private:
    QHash<QString, QList<qint32>> m_cities;                   // by name
    QHash<qint32, QString> m_cityNames;                       // as stored
    QHash<QString, QList<QPair<qint32, qint32>>> m_districts; // by name: (district, city)
    QSet<qint64> m_districtIds;
};

} // namespace Processing
