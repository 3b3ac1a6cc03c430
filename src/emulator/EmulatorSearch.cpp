#include "emulator/EmulatorSearch.h"

#include <filesystem>
#include <system_error>

#include "platform/Files.h"
#include "platform/Paths.h"
#include "platform/System.h"

namespace kelvaro {

namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
constexpr char kSearchPathSeparator = ';';
constexpr const char* kEmulatorName = "mame.exe";
#else
constexpr char kSearchPathSeparator = ':';
constexpr const char* kEmulatorName = "mame";
#endif

bool MayRun(const std::string& path) {
    std::error_code ec;
    const fs::file_status status = fs::status(FsPath(path), ec);
    if (ec || !fs::is_regular_file(status)) return false;
#ifdef _WIN32
    return true;
#else
    using fs::perms;
    return (status.permissions() & (perms::owner_exec | perms::group_exec | perms::others_exec)) != perms::none;
#endif
}

} // namespace

EmulatorPlaces SystemEmulatorPlaces(const std::string& programFolder) {
    EmulatorPlaces places{EnvironmentValue("PATH"), programFolder, {}};
#ifndef _WIN32
    places.Others.push_back("/usr/games/mame");
#endif
    return places;
}

std::vector<std::string> EmulatorCandidates(const EmulatorPlaces& places) {
    std::vector<std::string> out;
#ifdef _WIN32
    if (!places.ProgramFolder.empty()) out.push_back(JoinPath(places.ProgramFolder, kEmulatorName));
#endif
    const std::string& path = places.SearchPath;
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t end = path.find(kSearchPathSeparator, start);
        if (end == std::string::npos) end = path.size();
        // An empty part means the current folder, which says nothing about where the emulator is.
        if (end > start) out.push_back(JoinPath(path.substr(start, end - start), kEmulatorName));
        start = end + 1;
    }
    out.insert(out.end(), places.Others.begin(), places.Others.end());
    return out;
}

std::string FindEmulator(const EmulatorPlaces& places) {
    for (const std::string& file : EmulatorCandidates(places))
        if (MayRun(file)) return file;
    return {};
}

std::string ProposedIniFolder(const EmulatorOptions& options, const std::string& home) {
    for (const std::string& folder : options.IniFolders)
        if (IsExistingFolder(folder) || (!home.empty() && !FileExists(folder, true) && IsInsideFolder(folder, home)))
            return folder;
    return {};
}

Outcome MakeIniFolder(const std::string& folder, const std::string& home) {
    if (IsExistingFolder(folder)) return {};
    if (home.empty() || !IsInsideFolder(folder, home))
        return Outcome::Failure(folder + " is not in the home folder" + (home.empty() ? "" : " " + home) +
                                ": it is not created");
    std::error_code error;
    fs::create_directories(FsPath(folder), error);
    if (error) return Outcome::Failure("cannot create the folder " + folder, error);
    return {};
}

} // namespace kelvaro
