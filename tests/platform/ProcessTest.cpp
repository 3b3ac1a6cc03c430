#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "Environment.h"
#include "Standin.h"
#include "TempDir.h"
#include "platform/Process.h"

using namespace kelvaro;
namespace fs = std::filesystem;

namespace {

// Runs the program and collects its standard output.
ProcessExit Capture(const std::string& program, const std::vector<std::string>& args, const std::string& folder,
                    std::string& out, const std::function<void()>& pump = {}) {
    out.clear();
    auto take = [&](const char* data, std::size_t size) {
        out.append(data, size);
        return true;
    };
    return RunAndReadOutput(program, args, folder, take, pump);
}

// A program that ended abnormally: killed by signal 9, or on Windows the status of a crash.
#ifdef _WIN32
constexpr int kCrashCode = static_cast<int>(0xC0000005u), kCrashSignal = 0;
#else
constexpr int kCrashCode = -1, kCrashSignal = 9;
#endif

} // namespace

TEST(ShellAndWait, ExitCodeSignalOrWhyItDidNotStart) {
    TempDir dir;
    std::string notExecutable = dir.Write("mame", "not a program");
    const std::string exe = Standin(dir, "emu/code", "when crash crash\nexit $1\n");
#ifndef _WIN32
    const std::string path = std::getenv("PATH");
    SetEnv("PATH", (dir.File("emu") + ":" + path).c_str());
#endif
    struct Row {
        std::string program;
        std::vector<std::string> args;
        std::string folder;
        int code, signal;
        bool ran;
    };
    const Row rows[] = {
        {exe, {"3"}, "", 3, 0, true},
        {exe, {"255"}, "", 255, 0, true},
#ifndef _WIN32
        {"code", {"4"}, "", 4, 0, true}, // a bare name is looked up on PATH (Windows starts the file named)
#endif
        {exe, {"crash"}, "", kCrashCode, kCrashSignal, true},
        {dir.File("no-such-emulator"), {}, "", -1, 0, false},
        {notExecutable, {}, "", -1, 0, false},
        {"", {}, "", -1, 0, false},
        {exe, {"0"}, dir.File("missing"), -1, 0, false}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.program + " " + (r.args.empty() ? "" : r.args.back()));
        std::string out;
        for (const ProcessExit& e :
             {ShellAndWait(r.program, r.args, r.folder, false), Capture(r.program, r.args, r.folder, out)}) {
            EXPECT_EQ(e.ExitCode, r.code);
            EXPECT_EQ(e.Signal, r.signal);
            EXPECT_EQ(!e.Error, r.ran) << e.Error.message();
        }
    }
#ifndef _WIN32
    SetEnv("PATH", path.c_str());
#endif
}

TEST(ShellAndWait, RunsInTheWorkingFolderWithArgumentsUnquotedAndPumpsWhileWaiting) {
    TempDir dir;
    const std::string exe = Standin(dir, "emu/mame", "wait 0.3\nnote here.txt\nargs\n");
    const std::vector<std::string> args = {"a b", "\"q\"", "$HOME", "*", ""};
    int pumps = 0;
    ASSERT_EQ(ShellAndWait(exe, args, dir.File("emu"), true, [&] { ++pumps; }).ExitCode, 0);
    EXPECT_EQ(TempDir::Read(dir.File("emu/here.txt")), dir.File("emu") + "|a b \"q\" $HOME * \n");
    EXPECT_GE(pumps, 3);
    std::string out;
    // Without a working folder given (the stand-in notes nothing in the one it runs in).
    ASSERT_EQ(Capture(Standin(dir, "echo/mame", "args\n"), args, "", out).ExitCode, 0);
    EXPECT_EQ(out, "[a b][\"q\"][$HOME][*][]");
}

TEST(RunAndReadOutput, StandardOutputByteForByteWithoutErrors) {
    // Output that comes late still comes, and the windows are pumped meanwhile.
    TempDir dir;
    std::string out;
    int pumps = 0;
    const std::string late = Standin(dir, "late/mame", "wait 0.3\nto err\nsay err\nto out\nsay out\nexit 2\n");
    EXPECT_EQ(Capture(late, {}, "", out, [&] { ++pumps; }).ExitCode, 2);
    EXPECT_EQ(out, "out\n");
    EXPECT_GE(pumps, 3);

    std::string bytes(5 << 20, '\0');
    std::mt19937 gen(3);
    for (char& c : bytes) c = static_cast<char>(gen());
    ASSERT_EQ(Capture(Standin(dir, "cat/mame", "print $1\n"), {dir.Write("list.bin", bytes)}, "", out).ExitCode, 0);
    EXPECT_TRUE(out == bytes); // no dump of 5 MB on failure
}

TEST(RunAndReadOutput, ReaderMayStopEarly) {
    TempDir dir;
    std::size_t handed = 0, calls = 0;
    auto stop = [&](const char*, std::size_t size) {
        handed += size;
        ++calls;
        return false;
    };
    // The program is not blocked by a full pipe: it ends and gives its own exit code.
    EXPECT_EQ(RunAndReadOutput(Standin(dir, "mame", "zeros 3000000\nexit 5\n"), {}, "", stop).ExitCode, 5);
    EXPECT_EQ(calls, 1u);
    EXPECT_LT(handed, 3000000u);
}

TEST(RunAndReadOutput, TimeLimitEndsAProgramThatHangs) {
    TempDir dir;
    const std::string hangs = Standin(dir, "mame", "say started\nwait 30\n");
    // Time enough for the start, which on a loaded machine under Wine took over 300 ms.
    for (bool pumped : {false, true}) {
        std::string out;
        int pumps = 0;
        const ProcessExit exit = RunAndReadOutput(
            hangs, {}, "",
            [&](const char* data, std::size_t size) {
                out.append(data, size);
                return true;
            },
            pumped ? std::function<void()>([&] { ++pumps; }) : std::function<void()>(), std::chrono::seconds(2));
        EXPECT_TRUE(exit.TimedOut) << pumped;
        EXPECT_EQ(exit.ExitCode, -1);
        EXPECT_EQ(out, "started\n");
        EXPECT_EQ(pumps > 0, pumped);
    }
    const ProcessExit quick =
        RunAndReadOutput(Standin(dir, "mame", "exit 3\n"), {}, "", {}, {}, std::chrono::seconds(20));
    EXPECT_FALSE(quick.TimedOut);
    EXPECT_EQ(quick.ExitCode, 3);
}

TEST(RunAndReadBothOutputs, EachStreamWholeAndInItsOwnOrder) {
    TempDir dir;
    std::string out, err;
    auto to = [](std::string& s) { return [&s](const char* data, std::size_t size) { s.append(data, size); }; };
    const std::string mixed =
        Standin(dir, "mixed/mame", "say o1\nto err\nsay e1\nwait 0.1\nto out\nsay o2\nto err\nsay e2\nexit 2\n");
    ProcessExit e = RunAndReadBothOutputs(mixed, {}, "", true, to(out), to(err));
    EXPECT_EQ(e.ExitCode, 2);
    EXPECT_EQ(out + "|" + err, "o1\no2\n|e1\ne2\n");
    // A flood on one stream while the other is silent stops neither.
    out.clear();
    err.clear();
    const std::string flood = Standin(dir, "flood/mame", "to err\nzeros 3000000\nto out\nsay done\n");
    e = RunAndReadBothOutputs(flood, {}, "", false, to(out), to(err));
    EXPECT_EQ(e.ExitCode, 0);
    EXPECT_EQ(out + std::to_string(err.size()), "done\n3000000");
    e = RunAndReadBothOutputs(dir.File("no/such/program"), {}, "", false, to(out), to(err));
    EXPECT_EQ(e.Error, std::errc::no_such_file_or_directory);
}
