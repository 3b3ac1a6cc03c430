#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "TempDir.h"
#include "platform/Files.h"
#include "platform/Paths.h"

using namespace kelvaro;
namespace fs = std::filesystem;

namespace {

// Sets an environment variable for the life of the object.
class EnvVar {
public:
    EnvVar(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~EnvVar() {
        if (old_)
            setenv(name_, old_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

} // namespace

TEST(Paths, JoinPath) {
    EXPECT_EQ(PathSeparator(), '/');
    EXPECT_EQ(JoinPath("/usr/games", "mame"), "/usr/games/mame");
    EXPECT_EQ(JoinPath("/usr/games/", "mame"), "/usr/games/mame");
    EXPECT_EQ(JoinPath("/", "mame"), "/mame");
    EXPECT_EQ(JoinPath("", "mame"), "mame");
    EXPECT_EQ(JoinPath("ini", ""), "ini/");
}

TEST(Paths, FolderOfFile) {
    bool found = false;
    EXPECT_EQ(FolderOfFile("/usr/games/mame", &found), "/usr/games");
    EXPECT_TRUE(found);
    EXPECT_EQ(FolderOfFile("/mame", &found), "/");
    EXPECT_TRUE(found);
    EXPECT_EQ(FolderOfFile("emu/mame"), "emu");
    EXPECT_EQ(FolderOfFile("emu/"), "emu");
    EXPECT_EQ(FolderOfFile("C:\\MAME\\mame.exe", &found), "");  // no separator here
    EXPECT_FALSE(found);
    EXPECT_EQ(FolderOfFile("", &found), "");
    EXPECT_FALSE(found);
}

TEST(Paths, ProgramFolderHoldsThisProgram) {
    std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), '/');
    EXPECT_EQ(fs::path(folder), fs::read_symlink("/proc/self/exe").parent_path());
    EXPECT_TRUE(FileExists(folder, true));
}

TEST(Paths, UserDataFolder) {
    {
        EnvVar xdg("XDG_DATA_HOME", "/srv/data");
        EXPECT_EQ(UserDataFolder(), "/srv/data/kelvaro");
    }
    {
        EnvVar xdg("XDG_DATA_HOME", nullptr);
        EnvVar home("HOME", "/home/cab");
        EXPECT_EQ(UserDataFolder(), "/home/cab/.local/share/kelvaro");
    }
    {
        EnvVar xdg("XDG_DATA_HOME", "relative/data");  // not a valid base folder
        EnvVar home("HOME", "/home/cab");
        EXPECT_EQ(UserDataFolder(), "/home/cab/.local/share/kelvaro");
    }
}

TEST(Paths, WritableFolderAndTheChoiceOfDataFolder) {
    TempDir dir;
    std::string file = dir.Write("file", "");
    EXPECT_TRUE(IsWritableFolder(dir.Path()));
    EXPECT_FALSE(IsWritableFolder(file));
    EXPECT_FALSE(IsWritableFolder(dir.File("missing")));
    EXPECT_FALSE(IsWritableFolder(""));
    EXPECT_FALSE(IsWritableFolder("/proc/self"));  // exists, yet no file can be made there
    EXPECT_EQ(fs::directory_iterator(dir.Path())->path().filename(), "file");  // no probe left

    EXPECT_EQ(ChooseDataFolder(dir.Path()), dir.Path());
    EnvVar xdg("XDG_DATA_HOME", dir.File("xdg").c_str());
    EXPECT_EQ(ChooseDataFolder(dir.File("missing")), dir.File("xdg/kelvaro"));
    EXPECT_TRUE(fs::is_directory(dir.File("xdg/kelvaro")));
    EXPECT_EQ(ChooseDataFolder("/proc/self"), dir.File("xdg/kelvaro"));
}

TEST(Paths, ShippedFilesBesideTheProgramFirst) {
    TempDir dir;
    std::string installed = JoinPath(KELVARO_INSTALLED_DATA_DIR, "readme.txt");
    std::string fallback = FileExists(installed, false) ? installed : "";
    EXPECT_EQ(FindShippedFile(dir.Path(), "readme.txt"), fallback);
    std::string beside = dir.Write("readme.txt", "Kelvaro");
    EXPECT_EQ(FindShippedFile(dir.Path(), "readme.txt"), beside);
    fs::create_directory(dir.File("avga9200.txt"));  // a folder is not the file
    EXPECT_EQ(FindShippedFile(dir.Path(), "avga9200.txt"),
              FileExists(JoinPath(KELVARO_INSTALLED_DATA_DIR, "avga9200.txt"), false)
                  ? JoinPath(KELVARO_INSTALLED_DATA_DIR, "avga9200.txt")
                  : "");
}

TEST(Paths, EmulatorFileNamesAreLowerCase) {
    EXPECT_EQ(EmulatorFileName("PACMAN", ".ini"), "pacman.ini");
    EXPECT_EQ(EmulatorFileName("Sf2ce", ".ZIP"), "sf2ce.zip");
    EXPECT_EQ(EmulatorFileName("88games", ".ini"), "88games.ini");
    EXPECT_EQ(EmulatorFileName("a\xc9", ".ini"), "a\xc9.ini");  // only ASCII letters change
}

TEST(Paths, SafeFileNames) {
    for (const char* ok : {"pacman", "88games", "mspacman.bak", "a b", "...", "-x"})
        EXPECT_TRUE(IsSafeFileName(ok)) << ok;
    for (const char* bad : {"", ".", "..", "../pacman", "a/b", "a\\b", "C:", "x:y", "a\tb", "a\nb", "a\x7f"})
        EXPECT_FALSE(IsSafeFileName(bad)) << bad;
    EXPECT_FALSE(IsSafeFileName(std::string_view("a\0b", 3)));
}
