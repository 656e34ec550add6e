#pragma once

#include <QString>

#include <optional>

namespace Processing {

// A stored place as the main window's list shows it: the address and telephone each under its
// own heading, whatever columns hold them.
struct StoredPlace
{
    qint32 id = 0;
    QString name;
    QString city;
    QString district;
    QString address;
    QString telephone;
    QString more;
    QString url;
    // The category the list showed it filed under (its "Category" column): only compared with
    // what is stored when an update is written.
    QString filedUnder;
    // The category to propose; none leaves the choice as it is.
    std::optional<QString> category;
};

} // namespace Processing
