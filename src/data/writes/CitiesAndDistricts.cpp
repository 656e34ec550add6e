#include "data/writes/CitiesAndDistricts.h"

#include "data/statements/ReferenceListStatements.h"
#include "data/statements/SqlText.h"

#include <algorithm>

namespace Processing {

CitiesAndDistricts CitiesAndDistricts::Read(Connection &db)
{
    CitiesAndDistricts names;
    const Recordset cities = db.openRecordset(CitiesQuery());
    const int code = cities.field(QStringLiteral("CODE"));
    const int cityName = cities.field(QStringLiteral("ENAME"));
    for (int row = 0; row < cities.RecordCount(); ++row) {
        if (const std::optional<qint32> city = cities.int32(row, code)) {
            names.m_cities[TrimBlanks(cities.text(row, cityName))].append(*city);
            names.m_cityNames.insert(*city, cities.text(row, cityName));
        }
    }
    const Recordset districts = db.openRecordset(DistrictsQuery());
    const int id = districts.field(QStringLiteral("DISTRICT_ID"));
    const int districtName = districts.field(QStringLiteral("DISTRICT_NAME"));
    const int city = districts.field(QStringLiteral("city_id"));
    for (int row = 0; row < districts.RecordCount(); ++row) {
        const std::optional<qint32> district = districts.int32(row, id);
        if (!district)
            continue;
        names.m_districtIds.insert(*district);
        if (const std::optional<qint32> in = districts.int32(row, city))
            names.m_districts[TrimBlanks(districts.text(row, districtName))].append({*district, *in});
    }
    return names;
}

QList<qint32> CitiesAndDistricts::CitiesNamed(const QString &name) const
{
    return m_cities.value(TrimBlanks(name));
}

QList<qint32> CitiesAndDistricts::DistrictsNamed(const QString &name, qint32 city) const
{
    QList<qint32> found;
    for (const auto &[district, in] : m_districts.value(TrimBlanks(name))) {
        if (in == city)
            found.append(district);
    }
    return found;
}

QList<qint32> CitiesAndDistricts::CitiesWithDistrict(const QString &name) const
{
    QList<qint32> found;
    for (const auto &[district, in] : m_districts.value(TrimBlanks(name))) {
        if (!found.contains(in))
            found.append(in);
    }
    return found;
}

qint64 CitiesAndDistricts::LargestDistrict() const
{
    return m_districtIds.isEmpty() ? 0 : *std::max_element(m_districtIds.cbegin(), m_districtIds.cend());
}

void CitiesAndDistricts::AddDistrict(qint32 id, const QString &name, qint32 city)
{
    m_districtIds.insert(id);
    m_districts[TrimBlanks(name)].append({id, city});
}

} // namespace Processing
