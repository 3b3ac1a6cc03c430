#pragma once
#include <cassert>
#include <string>
#include <system_error>
#include <vector>

#include "core/ChosenMode.h"

namespace kelvaro {

// A table of rows numbered from 1. Element 0 always exists and is never used, so the count is
// the highest index and an empty table has count 0. A row index outside 1..Count() is a fault of
// the caller: the debug builds stop on it (Elements() reaches element 0).
template <class Row>
class Table {
public:
    Table() : rows_(1) {}

    [[nodiscard]] int Count() const { return static_cast<int>(rows_.size()) - 1; }
    [[nodiscard]] bool Empty() const { return rows_.size() == 1; }

    Row& operator[](int row) {
        assert(row >= 1 && row <= Count());
        return rows_[static_cast<size_t>(row)];
    }
    const Row& operator[](int row) const {
        assert(row >= 1 && row <= Count());
        return rows_[static_cast<size_t>(row)];
    }

    // Appends a row after the last one and returns it.
    Row& Add(Row row = Row{}) {
        rows_.push_back(std::move(row));
        return rows_.back();
    }
    // Back to count 0 (element 0 stays, empty).
    void Clear() { rows_.assign(1, Row{}); }
    // Removes the row; the rows after it move up by one.
    void Remove(int row) {
        if (row >= 1 && row <= Count()) rows_.erase(rows_.begin() + row);
    }
    void Reserve(int count) { rows_.reserve(static_cast<size_t>(count) + 1); }

    // Every element, element 0 included.
    std::vector<Row>& Elements() { return rows_; }
    [[nodiscard]] const std::vector<Row>& Elements() const { return rows_; }

private:
    std::vector<Row> rows_;
};

// What the last reading back of the INI folder found of a game's INI file. Generation replaces
// only a file the program knows: one it read back whole, or wrote itself.
enum class IniFileKnown : unsigned char {
    NotReadBack, // the INI files were not read back since the game table was built
    Absent,      // there was no file
    Read,        // read back whole, or written by a generation since
    Unreadable,  // there, but it could not be read
    HoldsPipe,   // a line holds "|", which the INI details cannot hold
};

// One game of the emulator's list with its native mode and the mode chosen for it.
struct GameRow {
    std::string GameRomName; // upper case, as in the game list
    std::string GameCloneOf; // parent's name, upper case; empty for a parent
    std::string GameDescription;
    std::string GameNativeWidth; // "-" for a vector game, "VECTOR" when the list gave none
    std::string GameNativeHeight;
    std::string GameNativeRefresh; // at most 9 characters; "-" for a vector game
    std::string GameOrientation;   // "H", "V" or empty
    std::string GameModeWidth = kNoModeWidth;
    std::string GameModeHeight = kNoModeHeight;
    std::string GameModeRefresh = kNoModeRefresh;
    std::string GameINIText = kAutoResolution; // INI lines joined by "|"
    IniFileKnown GameINIFile = IniFileKnown::NotReadBack;
    std::error_code GameINIReadError{}; // why an Unreadable file could not be read
    std::string GameINIStamp{};         // FileChangeStamp of the file when it was read or written
    // The settings dialog changed the game's mode or lines since its INI file was last written or
    // the INI files were read back: the file does not hold them yet. Kept for the run only.
    bool GameHandEdited = false;
};

// One distinct native video mode.
struct NativeModeRow {
    std::string NativeWidth;
    std::string NativeHeight;
    std::string NativeRefresh;
    std::string NativeOrientation;
};

// One video mode the graphics card offers.
struct AvailModeRow {
    std::string AvailWidth;
    std::string AvailHeight;
    std::string AvailRefresh;    // two characters before "Hz", "00" when the line named none
    std::string AvailInterlaced; // "Yes" or "No"
};

// One game block as the game list parser read it.
struct ListRow {
    std::string ListRomName;
    std::string ListCloneOf;
    std::string ListRomOf; // the set it takes ROMs from: its parent, or its BIOS; upper case
    std::string ListDescription;
    std::string ListScreen;      // "Raster", "Vector" or empty
    std::string ListOrientation; // "H", "V" or empty
    std::string ListWidth;
    std::string ListHeight;
    std::string ListRefresh;
};

} // namespace kelvaro
