#pragma once
#include <string>

#include "core/Model.h"
#include "core/Outcome.h"

namespace kelvaro {

// The defaults of a first start: the Settings defaults, with ModeListFile the default mode list
// ("avga9200.txt" in the program folder, then in the installed data folder) when it exists.
Settings DefaultSettings(const ProgramPaths& paths);

// The 18-line text of the settings file, CR LF after every line.
std::string FormatSettingsFile(const Settings& s);

// Reads the 18 lines over the settings given: a missing line, or one that does not convert to
// its type, keeps that setting's value; it never fails.
void ParseSettingsFile(const std::string& bytes, Settings& s);

// Reads the model's settings file when it exists.
void LoadSettings(Model& m);

// Writes the settings file safely (temporary file, then rename). A failure says why the file could
// not be written; the old file is then left whole.
Outcome SaveSettings(const Model& m);

} // namespace kelvaro

namespace kelvaro {

// Sets one setting by its name ("MatchResWithin") as a user gives it: a number must be the whole
// value (a decimal comma reads as a point) and one the window's menus allow, a switch True, False,
// 1 or 0 (any case), and no value holds a line end (the file keeps a setting a line). A failure says
// why not ("no such setting", "must be 0, 1 or 2"), and the setting is then unchanged.
Outcome SetSettingByName(Settings& s, const std::string& name, const std::string& value);

} // namespace kelvaro
