#include "core/Model.h"

#include "platform/Paths.h"

namespace kelvaro {

std::string Model::MameFolder() const { return FolderOfFile(Config.MameExePath); }
std::string Model::GameListFile() const { return JoinPath(Paths.DataFolder, "mame.dat"); }
std::string Model::SettingsFile() const { return JoinPath(Paths.DataFolder, "kelvaro.cfg"); }

} // namespace kelvaro
