#pragma once

#include <QString>
#include <array>

// The fixed content of the Alpha and Alpha-Numeric tests: twelve slots, each with its
// reference label, its entry field's limit and its credits, and two pools of five records.
namespace exam {

inline constexpr int kWordSlots = 12;
// Done requires the first ten slots; the last two may stay empty.
inline constexpr int kWordRequired = 10;

struct WordSlot {
    const char* reference; // the reference label's name
    int limit;             // the entry field's maximum length
    double matchCredit;
    double missCredit;
};

// "education 102" has 13 characters: the fourth subject's field takes 13, so it can be typed.
inline constexpr std::array<WordSlot, kWordSlots> kWordSlotTable{{
    {"lblname", 20, 9, 7.7},
    {"lblcourse", 4, 7, 7.5},
    {"lblyear", 6, 7, 7.5},
    {"sub1", 14, 8.5, 7.5},
    {"sub2", 12, 8.5, 7.6},
    {"sub3", 11, 8, 7.8},
    {"sub4", 13, 8.5, 7.6},
    {"sub5", 11, 8.5, 7.7},
    {"sub6", 9, 8.5, 7.6},
    {"sub7", 11, 8.5, 7.5},
    {"sub8", 27, 9, 7.8},
    {"sub9", 27, 9, 7.9},
}};

struct WordRecord {
    std::array<const char*, kWordSlots> values;
    int keystrokeBase; // written into ks at the start; scoring adds the entries' lengths
};

using WordPool = std::array<WordRecord, 5>;

// Draws 0 to 3 select their own record; 4, 5 and 6 all select the last one.
inline constexpr WordPool kAlphaPool{{
    {{"talvina orsebrandel", "bsed", "second", "ethics", "english", "nstp", "education",
      "philosophy", "algebra", "finance", "lusena torvo", "remo da pelvan"},
     15},
    {{"odalin vestro", "bsn", "third", "anatomy", "chemistry", "algebra", "english", "nstp",
      "history", "information", "mira lou fenwarda", "korven maltres"},
     16},
    {{"darby quiton", "bscs", "second", "programming", "pseudocoding", "autocad", "ethics",
      "english", "sad", "marketing", "solvanto ridgemar jr", "taleon brisamo"},
     9},
    {{"vonel tarpa", "bsa", "fourth", "accounting", "algebra", "english", "marketing", "management",
      "physics", "information", "perrin alden marquel", "amarin del valtero"},
     1},
    {{"owen lorenzo halvey", "bsit", "first", "keyboarding", "photoshop", "algebra", "programming",
      "software", "marketing", "sports", "jasmel kiro", "maximilan oru"},
     7},
}};

inline constexpr WordPool kAlphaNumericPool{{
    {{"talvina orsebrandel", "bsed", "2nd", "ethics", "english 201", "nstp 101", "education 102",
      "philosophy", "algebra", "4471825", "18 maple row east tarvin", "talvina.o@example.com"},
     15},
    {{"odalin vestro", "bsn", "3rd", "anatomy", "chemistry", "algebra", "english 301", "nstp 102",
      "history", "09175550142", "41 12th st fairview", "odalin.ves@example.com"},
     28},
    {{"darby quiton", "bscs", "2nd", "programming", "pseudocoding", "autocad 101", "ethics",
      "english 201", "sad", "09185550178", "halsteadfield morvan", "darby.qui@example.com"},
     14},
    {{"vonel tarpa", "bsc", "4th", "accounting 401", "algebra", "english 401", "marketing",
      "management", "physics", "3359014", "pine hollow carstead", "vonel.ta@example.com"},
     20},
    {{"owen lorenzo halvey", "bscs", "1st", "english 101", "cs 101", "algebra", "programming",
      "software", "marketing", "09195550163", "westbury lane harbourt city",
      "owen.halve@example.com"},
     1},
}};

// The record a draw selects, told by the draw's text as the counter holds it.
const WordRecord& recordForDraw(const WordPool& pool, const QString& draw);

} // namespace exam
