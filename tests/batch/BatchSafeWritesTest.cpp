// kelvaro-batch writing where a plain rename would do harm: into a pipe, under a file size limit,
// and interrupted while it writes.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <chrono>
#include <csignal>
#include <cstdio>
#include <thread>

#include "../gamelist/GamelistFixtures.h"
#include "BatchRun.h"

using namespace gamelist_test;

#ifndef _WIN32
namespace {

// A list of n machines; its listinfo text takes about 150 bytes a machine.
std::string ManyMachines(int n) {
    std::string machines;
    for (int i = 0; i < n; ++i)
        machines += Machine("game" + std::to_string(i),
                            "type=\"raster\" rotate=\"0\" width=\"256\" height=\"224\" refresh=\"60\"");
    return XmlList(machines);
}

} // namespace
#endif

TEST(BatchSafeWrites, ListinfoWritesIntoAPipeNamedLikeStandardOutput) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no /dev/fd to name standard output by";
#else
    TempDir dir;
    const std::string xml = dir.Write("list.xml", ManyMachines(2000));
    // Through /dev/fd/1 (what /dev/stdout names): the pipe to the reader, not a file beside it.
    std::FILE* pipe = popen(("'" KELVARO_BATCH_EXE "' listinfo --xml '" + xml + "' --out /dev/fd/1").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string got;
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) got.append(buffer, n);
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_GT(got.size(), 200000u);
    EXPECT_TRUE(got == RunBatch({"listinfo", "--xml", xml}).out) << got.size() << " bytes";
#endif
}

TEST(BatchSafeWrites, AFileSizeLimitFailsTheWriteLikeAFullDisk) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no file size limit to stand in for a full disk";
#else
    TempDir dir;
    const std::string dat = dir.Write("mame.dat", "the old list\r\n");
    const std::string xml = dir.Write("list.xml", ManyMachines(2000));
    const pid_t pid = StartBatch({"listinfo", "--xml", xml, "--out", dat}, dir.File("log"), nullptr, 65536);
    EXPECT_EQ(WaitBatch(pid), 1); // not ended by SIGXFSZ
    EXPECT_EQ(TempDir::Read(dir.File("log")), "kelvaro-batch: cannot write " + dat + ": File too large\n");
    EXPECT_EQ(TempDir::Read(dat), "the old list\r\n");
    EXPECT_EQ(Entries(dir.Path()), (std::set<std::string>{"list.xml", "log", "mame.dat"}));
#endif
}

TEST(BatchSafeWrites, AnInterruptLeavesNoTemporaryFileAndTheOldList) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows has no signals to interrupt another process with";
#else
    const rlimit noCore{0, 0}; // SIGQUIT would leave a core file
    setrlimit(RLIMIT_CORE, &noCore);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM}) {
        SCOPED_TRACE(signal);
        TempDir dir;
        const std::string dat = dir.Write("mame.dat", "the old list\r\n");
        int input = -1;
        const pid_t pid = StartBatch({"listinfo", "--out", dat}, dir.File("log"), &input);
        // The list comes from a pipe that stays open: the run waits with its temporary file made.
        const std::string head = kXmlHead + Machine("pacman", "type=\"raster\" rotate=\"90\"");
        ASSERT_EQ(write(input, head.data(), head.size()), static_cast<ssize_t>(head.size()));
        for (int i = 0; i < 500 && Entries(dir.Path()).size() < 3; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_EQ(Entries(dir.Path()).size(), 3u) << "no temporary file appeared";
        kill(pid, signal);
        EXPECT_EQ(WaitBatch(pid), 128 + signal);
        close(input);
        EXPECT_EQ(TempDir::Read(dat), "the old list\r\n");
        EXPECT_EQ(Entries(dir.Path()), (std::set<std::string>{"log", "mame.dat"}));
    }
#endif
}
