#pragma once

// The stored rows hold a place's address in column TELEPHONE and its telephone in column
// ADDRESS; the places statement names its fields after the columns. Every reader of that
// statement takes the two texts from these fields.
namespace Processing {

inline constexpr char AddressTextField[] = "Telephone";
inline constexpr char TelephoneTextField[] = "Address";

} // namespace Processing
