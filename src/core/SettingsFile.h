#pragma once
#include <string>
#include <vector>

#include "core/Model.h"
#include "core/Outcome.h"

namespace kelvaro {

// The defaults of a first start: the Settings defaults, with ModeListFile the default mode list
// ("avga9200.txt" in the program folder, then in the installed data folder) when it exists.
Settings DefaultSettings(const ProgramPaths& paths);

// The 19-line text of the settings file, CR LF after every line.
std::string FormatSettingsFile(const Settings& s);

// What reading a settings file found wrong with it, one line each ("line 6, MonitorOrientation:
// "3" must be 0, 1 or 2; 0 is used"); WrongLineCount when it holds neither the 19 lines nor the
// 18 of the files written before the monitor kind was kept.
struct SettingsFileProblems {
    std::vector<std::string> Lines;
    bool WrongLineCount = false;

    [[nodiscard]] bool Empty() const { return Lines.empty(); }
};

// Reads the 19 lines over the settings given. A missing line keeps that setting's value; a value
// that does not convert to its type, or lies outside what the menus offer, gets that setting's
// default (of Settings{}). Both are reported, as is a file of more than 19 or fewer than 18 lines
// (18 lines are a file of the earlier version: its monitor kind is the default).
SettingsFileProblems ParseSettingsFile(const std::string& bytes, Settings& s);

// Reads the model's settings file when it exists. A file that is there but cannot be read is a
// failure (the settings stay, and the model's SettingsUnreadable is set); a damaged one sets
// SettingsDamaged and SettingsDamagedBytes when its line count is wrong. problems (when given)
// receives what was wrong in it.
Outcome LoadSettings(Model& m, SettingsFileProblems* problems = nullptr);

// Writes the settings file safely (temporary file, then rename). A failure says why the file could
// not be written; the old file is then left whole. A file that could not be read at start is not
// written over (a failure); a damaged one is first kept as "kelvaro.cfg.bad", written safely too.
Outcome SaveSettings(const Model& m);

} // namespace kelvaro

namespace kelvaro {

// Sets one setting by its name ("MatchResWithin") as a user gives it: a number must be the whole
// value (a decimal comma reads as a point) and one the window's menus allow, a switch True, False,
// 1 or 0 (any case), and no value holds a line end (the file keeps a setting a line). A failure says
// why not ("no such setting", "must be 0, 1 or 2"), and the setting is then unchanged.
Outcome SetSettingByName(Settings& s, const std::string& name, const std::string& value);

} // namespace kelvaro
