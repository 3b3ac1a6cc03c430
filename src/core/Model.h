#pragma once
#include <string>

#include "core/Scopes.h"
#include "core/Settings.h"
#include "core/Table.h"

namespace kelvaro {

// Where the program's own files live. ProgramFolder holds the executable and the shipped files;
// DataFolder receives the files the program writes beside itself ("kelvaro.cfg", "mame.dat"):
// the program folder when it is writable, otherwise the per-user data folder.
struct ProgramPaths {
    std::string ProgramFolder;
    std::string DataFolder;
};

// The whole shared data set: the tables, the settings and the run-time values. One object of
// this type lives for the run; the windows, the batch tool and the tests hold it by reference.
struct Model {
    Table<GameRow> Games;
    Table<NativeModeRow> NativeModes;
    Table<AvailModeRow> AvailModes;
    Table<std::string> AvailWidthList;  // distinct widths, ascending by value
    Table<std::string> AvailHeightList; // distinct heights, ascending by value
    Table<ListRow> GameList;            // the game list parser's output

    Settings Config; // what kelvaro.cfg holds

    bool INIsGenerated = false; // INI files were written in this run
    std::string INIsReadFrom;   // the INI folder that the games' GameINIFile describe

    ProgramPaths Paths;

    // What start-up found of the settings file. One that is there but could not be read is never
    // written over; the bytes of one with the wrong number of lines are kept beside it (".bad")
    // before the settings are first saved over it.
    bool SettingsUnreadable = false;
    bool SettingsDamaged = false;
    std::string SettingsDamagedBytes;

    // The emulator's working folder: the folder of MameExePath, empty when the path names none.
    // Derived here alone, so that every run of the emulator starts in the same place.
    [[nodiscard]] std::string MameFolder() const;
    // "mame.dat" and "kelvaro.cfg" in the data folder.
    [[nodiscard]] std::string GameListFile() const;
    [[nodiscard]] std::string SettingsFile() const;
};

} // namespace kelvaro
