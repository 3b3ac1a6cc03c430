// A generation over the real emulator's list, killed at random moments: every INI file is the old
// one or the new one, whole, and the next run leaves no temporary file.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <thread>

#include "BatchRun.h"
#include "TempDir.h"
#include "platform/Files.h"

namespace fs = std::filesystem;

namespace {

std::map<std::string, std::string> Contents(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder))
        files[entry.path().filename().string()] = TempDir::Read(entry.path().string());
    return files;
}

} // namespace

TEST(RealEmulatorList, KilledGenerationsLeaveWholeFilesAndTheNextRunNoLitter) {
    if (!kelvaro::FileExists(KELVARO_MAME_EXE, false)) GTEST_SKIP() << "the emulator is not installed";
    TempDir t;
    const std::string dat = t.File("mame.dat"), ini = t.File("ini");
    const std::string make = "'" KELVARO_MAME_EXE "' -listxml 2>'" + t.File("mame.err") +
                             "' | '" KELVARO_BATCH_EXE "' listinfo > '" + dat + "'";
    ASSERT_EQ(std::system(make.c_str()), 0);
    fs::create_directory(ini);
    auto generate = [&](const char* orientation) {
        return StartBatch({"generate", "--dat", dat, "--modes", KELVARO_SOURCE_DIR "/data/avga9200.txt", "--ini-dir",
                           ini, "--cfg", t.File("none.cfg"), "--set", "GenerateParentsOnly=False", "--set",
                           std::string("MonitorOrientation=") + orientation},
                          t.File("log"));
    };

    // The older files: the choices for a horizontal monitor. The new ones are for a vertical one.
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(WaitBatch(generate("0")), 0) << TempDir::Read(t.File("log"));
    const auto whole = std::chrono::steady_clock::now() - start;
    const std::map<std::string, std::string> old = Contents(ini);
    ASSERT_GT(old.size(), 20000u);

    std::mt19937 random(std::random_device{}());
    std::uniform_real_distribution<double> moment(0.1, 1.0);
    std::vector<std::map<std::string, std::string>> afterKills;
    for (int k = 0; k < 4; ++k) {
        const pid_t pid = generate("1");
        std::this_thread::sleep_for(std::chrono::duration_cast<std::chrono::microseconds>(whole * moment(random)));
        kill(pid, SIGKILL);
        WaitBatch(pid);
        afterKills.push_back(Contents(ini));
    }
    ASSERT_EQ(WaitBatch(generate("1")), 0) << TempDir::Read(t.File("log"));
    const std::map<std::string, std::string> fresh = Contents(ini);
    ASSERT_EQ(fresh.size(), old.size()) << "temporary files or other entries were left";

    // After each kill every file is there, the old one or the new one (temporary files may remain).
    for (const auto& files : afterKills) {
        std::vector<std::string> wrong;
        for (const auto& [name, bytes] : old) {
            auto now = files.find(name);
            if (now == files.end() || (now->second != bytes && now->second != fresh.at(name))) wrong.push_back(name);
        }
        EXPECT_TRUE(wrong.empty()) << wrong.size() << " files missing or neither old nor new, e.g. " << wrong[0];
    }
}
