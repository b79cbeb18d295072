#pragma once

#include <QString>
#include <array>

namespace ludra {

// The skill increase table: for each of the twelve increase categories and
// each cluster type, the increase at quality levels 200 and 300. Entry
// 6 * (category - 1) + column, columns Faded, Bright, Shining at 200, then the
// same three at 300.
class TSkillReq
{
public:
    static constexpr int Categories = 12;
    static constexpr int Columns = 6;
    static constexpr int Count = Categories * Columns;

    // The category names, 1 to 12, as the file's keys begin.
    static const std::array<QString, Categories> &categoryNames();
    // The file key of entry index, for example "Life/Nano Bright QL300";
    // empty outside 0..71.
    static QString key(int index);

    // Starts with the built-in values.
    TSkillReq();

    // Entry index 0..71; 0 outside.
    int at(int index) const;
    // The entry of a category (1..12) and column (0..5); false when either is
    // outside its range, which happens for categories read from a file.
    bool lookup(int category, int column, int &value) const;
    // Sets entry index 0..71; any other index throws ERangeError.
    void set(int index, int value);

    bool operator==(const TSkillReq &) const = default;

private:
    std::array<int, Count> m_values;
};

// Loads the table from the skill increase file. The table starts at its
// built-in values. A file of 24 lines or more gives each key the value of the
// first line naming it (names matched without regard to case, values read
// leniently, a key no line names reads as 0). A missing or shorter file is
// replaced by one holding the built-in values; when that write fails the
// reason goes to *writeError and false is returned, the table keeping its
// built-in values.
bool LoadSkillReq(const QString &path, TSkillReq &table, QString *writeError = nullptr);

// Writes the 72 lines key=value in key order, replacing the file.
bool SaveSkillReq(const QString &path, const TSkillReq &table, QString *error = nullptr);

} // namespace ludra
