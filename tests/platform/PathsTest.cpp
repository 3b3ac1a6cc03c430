#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "Environment.h"
#include "Fixtures.h"
#include "TempDir.h"
#include "platform/Paths.h"

using namespace kelvaro;
namespace fs = std::filesystem;

namespace {

// Sets (or, with nullptr, removes) an environment variable for the life of the object.
struct EnvVar {
    EnvVar(const char* variable, const char* value)
        : name(variable), old(std::getenv(variable) ? std::getenv(variable) : "") {
        SetEnv(variable, value);
    }
    ~EnvVar() { SetEnv(name, old.empty() ? nullptr : old.c_str()); }
    const char* name;
    std::string old; // empty: unset
};

} // namespace

TEST(Paths, JoinAndFolderOfFile) {
#ifdef _WIN32
    EXPECT_EQ(JoinPath("C:\\MAME", "mame.exe"), "C:\\MAME\\mame.exe");
    EXPECT_EQ(JoinPath("C:/MAME/", "mame.exe"), "C:/MAME/mame.exe");
    EXPECT_EQ(JoinPath("C:/MAME", "mame.exe"), "C:/MAME/mame.exe");
    EXPECT_EQ(JoinPath("C:", "mame.exe"), "C:\\mame.exe");
    const bool backslash = true; // a separator on Windows, a letter of the name elsewhere
#else
    EXPECT_EQ(JoinPath("/usr/games", "mame"), "/usr/games/mame");
    EXPECT_EQ(JoinPath("/usr/games/", "mame"), "/usr/games/mame");
    const bool backslash = false;
#endif
    EXPECT_EQ(JoinPath("", "mame"), "mame");
    // path, folder, whether a separator was found
    struct Row {
        const char* path;
        const char* folder;
        bool found;
    };
    for (Row r : {Row{"/usr/games/mame", "/usr/games", true}, Row{"/mame", "/", true}, Row{"emu/", "emu", true},
                  Row{"C:\\MAME\\mame.exe", backslash ? "C:\\MAME" : "", backslash}, Row{"", "", false}}) {
        bool found = !r.found;
        EXPECT_EQ(FolderOfFile(r.path, &found), r.folder) << r.path;
        EXPECT_EQ(found, r.found) << r.path;
    }
}

TEST(Paths, SafeNames) {
    for (const char* ok : {"pacman", "mspacman.bak", "a b", "...", "-x"}) EXPECT_TRUE(IsSafeFileName(ok)) << ok;
    for (const char* bad : {"", ".", "..", "../pacman", "a/b", "a\\b", "C:", "x:y", "a\x1f", "a\x7f"})
        EXPECT_FALSE(IsSafeFileName(bad)) << bad;
    EXPECT_FALSE(IsSafeFileName(std::string_view("a\0b", 3)));
}

TEST(Paths, DataFolderIsTheProgramFolderWhenWritable) {
#ifndef _WIN32
    EXPECT_EQ(fs::path(ProgramFolder()), fs::read_symlink("/proc/self/exe").parent_path());
#endif
    TempDir dir;
    std::string file = dir.Write("file", "");
    EXPECT_EQ(ChooseDataFolder(dir.Path(), Layout::Portable), dir.Path());
    EXPECT_EQ(fixtures::Entries(dir.Path()), std::set<std::string>{"file"}); // no probe left
#ifdef _WIN32
    EnvVar user("LOCALAPPDATA", dir.File("xdg").c_str());
    const std::string userFolder = dir.File("xdg/Kelvaro");
#else
    EnvVar user("XDG_DATA_HOME", dir.File("xdg").c_str());
    const std::string userFolder = dir.File("xdg/kelvaro");
#endif
    for (std::string unwritable : {file, dir.File("missing"), std::string("/proc/self")})
        EXPECT_EQ(ChooseDataFolder(unwritable, Layout::Portable), userFolder) << unwritable;
    EXPECT_TRUE(fs::is_directory(userFolder));

#ifndef _WIN32
    EnvVar home("HOME", "/home/cab");
    for (const char* base : {static_cast<const char*>(nullptr), "relative/data"}) { // no valid base
        EnvVar unset("XDG_DATA_HOME", base);
        EXPECT_EQ(UserDataFolder(), "/home/cab/.local/share/kelvaro");
    }
#endif
}

TEST(Paths, ShippedFileBesideTheProgramFirst) {
    TempDir dir;
    fs::create_directory(dir.File("readme.txt")); // a folder is not the file
    EXPECT_NE(FindShippedFile(dir.Path(), "readme.txt"), dir.File("readme.txt"));
    EXPECT_EQ(FindShippedFile(dir.Path(), "no such file.txt"), "");
    std::string beside = dir.Write("avga9200.txt", "640 x 480 @ 60\r\n");
    EXPECT_EQ(FindShippedFile(dir.Path(), "avga9200.txt"), beside);
}

// An installed program's folder is /usr/bin (writable for root) and its files are in /usr/share.
TEST(Paths, InstalledLayoutUsesTheUserFolderAndShare) {
#ifdef _WIN32
    GTEST_SKIP() << "a Windows build is portable: it is never installed into a system folder";
#endif
    TempDir dir;
    const std::string bin = dir.File("usr/bin");
    std::string beside = dir.Write("usr/bin/readme.txt", "not this one");
    EnvVar xdg("XDG_DATA_HOME", dir.File("xdg").c_str());
    EXPECT_EQ(ChooseDataFolder(bin, Layout::Installed), dir.File("xdg/kelvaro"));
    EXPECT_TRUE(fs::is_directory(dir.File("xdg/kelvaro")));
    EXPECT_NE(FindShippedFile(bin, "readme.txt", Layout::Installed), beside);
    std::string shared = dir.Write("usr/share/kelvaro/readme.txt", "the guide");
    EXPECT_EQ(FindShippedFile(bin, "readme.txt", Layout::Installed), shared);
    EXPECT_EQ(FindShippedFile(bin, "readme.txt", Layout::Portable), beside);
}
