#pragma once

#include <QString>

// The condition a search for city 5 with "Contains" and the name "ar" gives, exactly as the
// search dialog writes it.
QString ContainsAndCityCondition();

// The same text written out by hand, to check the builder against.
extern const QString ContainsAndCityLiteral;
