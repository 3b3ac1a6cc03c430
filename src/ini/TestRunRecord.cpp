#include "ini/TestRunRecord.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

#include "core/Text.h"
#include "platform/Files.h"
#include "platform/FolderLock.h"
#include "platform/Paths.h"

namespace kelvaro {

namespace {

namespace fs = std::filesystem;

constexpr char kHeading[] = "Kelvaro test run\n";
// A record is a few short lines; a larger file is none of ours.
constexpr std::size_t kLargestRecord = 4096;

struct Record {
    std::string FileName, BackupName, Fingerprint;
};

// The test's file as the record knows it: its size and a 64-bit FNV-1a hash of its bytes, enough to
// tell it from a file the user wrote since.
std::string Fingerprint(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : bytes) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return std::to_string(bytes.size()) + " " + hex;
}

// A plain name in the folder: no folder part, nothing hidden.
bool PlainName(const std::string& name) {
    return !name.empty() && name[0] != '.' && name.find_first_of("/\\:") == std::string::npos;
}

// Only a game's INI file and a backup of it (NAME.bak, NAME.bakN) are ever named: a damaged
// record moves nothing else.
std::optional<Record> ParseRecord(const std::string& text) {
    if (text.rfind(kHeading, 0) != 0) return std::nullopt;
    std::size_t at = sizeof kHeading - 1;
    std::string lines[3];
    for (std::string& line : lines) {
        const std::size_t end = text.find('\n', at);
        if (end == std::string::npos) return std::nullopt;
        line = text.substr(at, end - at);
        at = end + 1;
    }
    Record r{lines[0], lines[1], lines[2]};
    if (!PlainName(r.FileName) || r.FileName.size() < 5 ||
        AsciiLowerCase(r.FileName.substr(r.FileName.size() - 4)) != ".ini")
        return std::nullopt;
    const std::string backupStart = r.FileName.substr(0, r.FileName.size() - 4) + ".bak";
    if (!r.BackupName.empty() &&
        (r.BackupName.rfind(backupStart, 0) != 0 ||
         r.BackupName.find_first_not_of("0123456789", backupStart.size()) != std::string::npos))
        return std::nullopt;
    if (at != text.size()) return std::nullopt;
    return r;
}

} // namespace

Outcome NoteTestRun(const std::string& folder, const std::string& fileName, const std::string& backupName,
                    const std::string& bytes) {
    const std::string path = JoinPath(folder, kTestRunRecordName);
    const std::string text = kHeading + fileName + "\n" + backupName + "\n" + Fingerprint(bytes) + "\n";
    std::error_code error;
    if (!WriteFileAtomic(path, text, &error, DeviceWrites::Refused)) return WriteFailure(path, error);
    return {};
}

void ForgetTestRun(const std::string& folder) {
    std::error_code ignored;
    fs::remove(FsPath(JoinPath(folder, kTestRunRecordName)), ignored);
}

std::string RestoreLeftTestRun(const std::string& folder) {
    const std::string recordPath = JoinPath(folder, kTestRunRecordName);
    std::error_code error;
    const std::optional<std::string> text = ReadWholeFile(recordPath, &error, FileReads::RegularOnly);
    if (!text) return {};
    const std::optional<Record> record = text->size() <= kLargestRecord ? ParseRecord(*text) : std::nullopt;
    if (!record) {
        ForgetTestRun(folder);
        return "A damaged record of an unfinished test run was removed from " + folder +
               "; a game's INI file may be left there as a .bak file.";
    }
    const std::string file = JoinPath(folder, record->FileName);
    const std::optional<std::string> now = ReadWholeFile(file, nullptr, FileReads::RegularOnly);
    const bool testFileThere = now && Fingerprint(*now) == record->Fingerprint;
    const bool fileThere = fs::exists(fs::symlink_status(FsPath(file), error));
    std::string told;
    if (!record->BackupName.empty()) {
        const std::string backup = JoinPath(folder, record->BackupName);
        if (NotARegularFile(backup)) {
            // Moved back already, or never moved: nothing of the user's is away.
        } else if (fileThere && !testFileThere) {
            told = "A test run that did not end left " + file + " as " + backup + ", and " + record->FileName +
                   " has changed since: both are left as they are.";
        } else {
            if (testFileThere) fs::remove(FsPath(file), error);
            if (!error) fs::rename(FsPath(backup), FsPath(file), error);
            if (error)
                return "A test run that did not end left " + file + " as " + backup + ", and it cannot be put back (" +
                       error.message() + ").";
            told = file + " was put back from " + backup + ", where a test run that did not end had left it.";
        }
    } else if (testFileThere) {
        fs::remove(FsPath(file), error);
        if (error)
            return "The INI file " + file + " of a test run that did not end cannot be removed (" + error.message() +
                   ").";
        told = "The INI file " + file + " of a test run that did not end was removed.";
    }
    ForgetTestRun(folder);
    return told;
}

std::string RestoreLeftTestRunNow(const std::string& folder) {
    if (folder.empty() || !FileExists(JoinPath(folder, kTestRunRecordName), false)) return {};
    FolderLock lock(folder, std::chrono::milliseconds(0));
    if (lock.Busy()) return {};
    return RestoreLeftTestRun(folder);
}

} // namespace kelvaro
