#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "TempDir.h"
#include "platform/Process.h"

using namespace kelvaro;
namespace fs = std::filesystem;

#ifndef _WIN32
namespace {

// Runs the program and collects its standard output.
ProcessExit Capture(const std::string& program, const std::vector<std::string>& args, const std::string& folder,
            std::string& out, const std::function<void()>& pump = {}) {
    out.clear();
    auto take = [&](const char* data, std::size_t size) { out.append(data, size); return true; };
    return RunAndReadOutput(program, args, folder, take, pump);
}

} // namespace
#endif

TEST(ShellAndWait, ExitCodeSignalOrWhyItDidNotStart) {
#ifdef _WIN32
    GTEST_SKIP() << "drives /bin/sh; on Windows the stand-in emulator's runs (gamelist tests) cover starting programs";
#else
    TempDir dir;
    std::string notExecutable = dir.Write("mame", "not a program");
    struct Row { std::string program; std::vector<std::string> args; std::string folder; int code, signal; bool ran; };
    const Row rows[] = {
        {"/bin/sh", {"-c", "exit 3"}, "", 3, 0, true}, {"/bin/sh", {"-c", "exit 255"}, "", 255, 0, true},
        {"sh", {"-c", "exit 4"}, "", 4, 0, true},  // a bare name is looked up on PATH
        {"/bin/sh", {"-c", "kill -9 $$"}, "", -1, 9, true}, {dir.File("no-such-emulator"), {}, "", -1, 0, false},
        {notExecutable, {}, "", -1, 0, false}, {"", {}, "", -1, 0, false},
        {"/bin/sh", {"-c", "exit 0"}, dir.File("missing"), -1, 0, false}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.program + " " + (r.args.empty() ? "" : r.args.back()));
        std::string out;
        for (const ProcessExit& e : {ShellAndWait(r.program, r.args, r.folder, false),
                                     Capture(r.program, r.args, r.folder, out)}) {
            EXPECT_EQ(e.ExitCode, r.code);
            EXPECT_EQ(e.Signal, r.signal);
            EXPECT_EQ(!e.Error, r.ran) << e.Error.message();
        }
    }
#endif
}

TEST(ShellAndWait, RunsInTheWorkingFolderWithArgumentsUnquotedAndPumpsWhileWaiting) {
#ifdef _WIN32
    GTEST_SKIP() << "drives /bin/sh; on Windows the stand-in emulator's runs (gamelist tests) cover starting programs";
#else
    TempDir dir;
    fs::create_directory(dir.File("emu"));
    int pumps = 0;
    ASSERT_EQ(ShellAndWait("/bin/sh", {"-c", "sleep 0.3; echo ran > here.txt"}, dir.File("emu"), true, [&] { ++pumps; })
                  .ExitCode,
              0);
    EXPECT_EQ(TempDir::Read(dir.File("emu/here.txt")), "ran\n");
    EXPECT_GE(pumps, 3);
    std::string out;
    ASSERT_EQ(Capture("/bin/pwd", {"-P"}, dir.File("emu"), out).ExitCode, 0);
    EXPECT_EQ(out, fs::canonical(dir.File("emu")).string() + "\n");
    ASSERT_EQ(Capture("/usr/bin/printf", {"[%s]", "a b", "\"q\"", "$HOME", "*", ""}, "", out).ExitCode, 0);
    EXPECT_EQ(out, "[a b][\"q\"][$HOME][*][]");
#endif
}

TEST(RunAndReadOutput, StandardOutputByteForByteWithoutErrors) {
#ifdef _WIN32
    GTEST_SKIP() << "drives /bin/sh; on Windows the stand-in emulator's runs (gamelist tests) cover starting programs";
#else
    // Output that comes late still comes, and the windows are pumped meanwhile.
    std::string out;
    int pumps = 0;
    EXPECT_EQ(Capture("/bin/sh", {"-c", "sleep 0.3; echo err >&2; echo out; exit 2"}, "", out, [&] { ++pumps; }).ExitCode,
              2);
    EXPECT_EQ(out, "out\n");
    EXPECT_GE(pumps, 3);

    TempDir dir;
    std::string bytes(5 << 20, '\0');
    std::mt19937 gen(3);
    for (char& c : bytes) c = static_cast<char>(gen());
    ASSERT_EQ(Capture("/bin/cat", {dir.Write("list.bin", bytes)}, "", out).ExitCode, 0);
    EXPECT_TRUE(out == bytes);  // no dump of 5 MB on failure
#endif
}

TEST(RunAndReadOutput, ReaderMayStopEarly) {
#ifdef _WIN32
    GTEST_SKIP() << "drives /bin/sh; on Windows the stand-in emulator's runs (gamelist tests) cover starting programs";
#else
    std::size_t handed = 0, calls = 0;
    auto stop = [&](const char*, std::size_t size) { handed += size; ++calls; return false; };
    // The program is not blocked by a full pipe: it ends and gives its own exit code.
    EXPECT_EQ(RunAndReadOutput("/bin/sh", {"-c", "head -c 3000000 /dev/zero; exit 5"}, "", stop).ExitCode, 5);
    EXPECT_EQ(calls, 1u);
    EXPECT_LT(handed, 3000000u);
#endif
}

TEST(RunAndReadBothOutputs, EachStreamWholeAndInItsOwnOrder) {
#ifdef _WIN32
    GTEST_SKIP() << "drives /bin/sh; on Windows the stand-in emulator's runs (gamelist tests) cover starting programs";
#else
    std::string out, err;
    auto to = [](std::string& s) { return [&s](const char* data, std::size_t size) { s.append(data, size); }; };
    ProcessExit e = RunAndReadBothOutputs("/bin/sh", {"-c", "echo o1; echo e1 >&2; sleep 0.1; echo o2; echo e2 >&2; exit 2"},
                                          "", true, to(out), to(err));
    EXPECT_EQ(e.ExitCode, 2);
    EXPECT_EQ(out + "|" + err, "o1\no2\n|e1\ne2\n");
    // A flood on one stream while the other is silent stops neither.
    out.clear();
    err.clear();
    e = RunAndReadBothOutputs("/bin/sh", {"-c", "head -c 3000000 /dev/zero >&2; echo done"}, "", false, to(out), to(err));
    EXPECT_EQ(e.ExitCode, 0);
    EXPECT_EQ(out + std::to_string(err.size()), "done\n3000000");
    e = RunAndReadBothOutputs("/no/such/program", {}, "", false, to(out), to(err));
    EXPECT_EQ(e.Error, std::errc::no_such_file_or_directory);
#endif
}
