#pragma once

#include <array>

// The fixed content of the Numeric test: seven sets of twenty four-character numbers (text:
// "0910" keeps its leading zero) and the credit of each field.
namespace exam {

inline constexpr int kNumericFields = 20;
inline constexpr int kNumericLimit = 4;
inline constexpr int kNumericSeconds = 25;
// Done requires the first eighteen fields; the last two may stay empty.
inline constexpr int kNumericRequired = 18;

using NumberSet = std::array<const char*, kNumericFields>;

inline constexpr std::array<NumberSet, 7> kNumberSets{{
    {{"8642", "1085", "6284", "3200", "1400", "9692", "2324", "7714", "8957", "1637",
      "5080", "1700", "1935", "6895", "1524", "7480", "3375", "9694", "3257", "1230"}},
    {{"1519", "3754", "5581", "6050", "9248", "2474", "3067", "8293", "1030", "8681",
      "7978", "6028", "4561", "8182", "3757", "5981", "6287", "8451", "2651", "8591"}},
    {{"4243", "8283", "1213", "9258", "8282", "5625", "6822", "1574", "1755", "8805",
      "2524", "1637", "1020", "8958", "3353", "5560", "9968", "2823", "2529", "3810"}},
    {{"2132", "6285", "4281", "2800", "9288", "0910", "8653", "9870", "9121", "5362",
      "9355", "8005", "4515", "1235", "8581", "6465", "8797", "9519", "8817", "2341"}},
    {{"3537", "5600", "3419", "8452", "1519", "1982", "2010", "8653", "8200", "3530",
      "4150", "2582", "1281", "9571", "4638", "7128", "5020", "4152", "6465", "5751"}},
    {{"9050", "4518", "6285", "7745", "5528", "7185", "2060", "3936", "1742", "4500",
      "6600", "2421", "8405", "2252", "6766", "9582", "2007", "4108", "8542", "2747"}},
    {{"1332", "6456", "8797", "7147", "7525", "9396", "1502", "6518", "5395", "4152",
      "5060", "9680", "5207", "9581", "1234", "9874", "9157", "3300", "8571", "9290"}},
}};

inline constexpr double kNumericMatchCredit = 5;
// What a wrong or empty field still earns, field by field: together 72.
inline constexpr std::array<double, kNumericFields> kNumericMissCredits{
    3.6, 3.7, 3.6, 3.8, 3.5, 3.5, 3.8, 3.5, 3.5, 3.7,
    3.5, 3.8, 3.5, 3.6, 3.5, 3.5, 3.6, 3.7, 3.6, 3.5};

} // namespace exam
