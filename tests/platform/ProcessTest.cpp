#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "TempDir.h"
#include "platform/Process.h"

using namespace kelvaro;
namespace fs = std::filesystem;

namespace {

// Runs the program and collects its standard output.
int Capture(const std::string& program, const std::vector<std::string>& args, const std::string& folder,
            std::string& out, const std::function<void()>& pump = {}) {
    out.clear();
    return RunAndReadOutput(
        program, args, folder,
        [&](const char* data, std::size_t size) {
            out.append(data, size);
            return true;
        },
        pump);
}

} // namespace

TEST(ShellAndWait, ExitCodes) {
    EXPECT_EQ(ShellAndWait("/bin/sh", {"-c", "exit 3"}, "", false), 3);
    EXPECT_EQ(ShellAndWait("/bin/sh", {"-c", "exit 0"}, "", true), 0);
    EXPECT_EQ(ShellAndWait("/bin/sh", {"-c", "exit 255"}, "", false), 255);
    EXPECT_EQ(ShellAndWait("sh", {"-c", "exit 4"}, "", false), 4);  // a bare name is looked up on PATH
    EXPECT_EQ(ShellAndWait("/bin/sh", {"-c", "kill -9 $$"}, "", false), -1);
}

TEST(ShellAndWait, ProgramThatCannotStart) {
    TempDir dir;
    std::string notExecutable = dir.Write("mame", "not a program");
    EXPECT_EQ(ShellAndWait(dir.File("no-such-emulator"), {}, "", false), -1);
    EXPECT_EQ(ShellAndWait(notExecutable, {}, "", false), -1);
    EXPECT_EQ(ShellAndWait("", {}, "", false), -1);
    EXPECT_EQ(ShellAndWait("/bin/sh", {"-c", "exit 0"}, dir.File("missing-folder"), false), -1);
    std::string out;
    EXPECT_EQ(Capture(dir.File("no-such-emulator"), {}, "", out), -1);
    EXPECT_EQ(out, "");
}

TEST(ShellAndWait, RunsInTheWorkingFolder) {
    TempDir dir;
    fs::create_directory(dir.File("emu"));
    ASSERT_EQ(ShellAndWait("/bin/sh", {"-c", "echo ran > here.txt"}, dir.File("emu"), false), 0);
    EXPECT_EQ(TempDir::Read(dir.File("emu/here.txt")), "ran\n");

    std::string out;
    ASSERT_EQ(Capture("/bin/pwd", {"-P"}, dir.File("emu"), out), 0);
    EXPECT_EQ(out, fs::canonical(dir.File("emu")).string() + "\n");
}

TEST(ShellAndWait, ArgumentsGoThroughUnquoted) {
    std::string out;
    ASSERT_EQ(Capture("/usr/bin/printf", {"[%s]", "a b", "\"q\"", "$HOME", "*", ""}, "", out), 0);
    EXPECT_EQ(out, "[a b][\"q\"][$HOME][*][]");
}

TEST(ShellAndWait, PumpRunsWhileWaiting) {
    int pumps = 0;
    ASSERT_EQ(ShellAndWait("/bin/sh", {"-c", "sleep 0.3"}, "", false, [&] { ++pumps; }), 0);
    EXPECT_GE(pumps, 3);

    pumps = 0;
    std::string out;
    ASSERT_EQ(Capture("/bin/sh", {"-c", "sleep 0.3; echo late"}, "", out, [&] { ++pumps; }), 0);
    EXPECT_EQ(out, "late\n");
    EXPECT_GE(pumps, 3);
}

TEST(RunAndReadOutput, ErrorOutputIsDiscarded) {
    std::string out;
    EXPECT_EQ(Capture("/bin/sh", {"-c", "echo err >&2; echo out; exit 2"}, "", out), 2);
    EXPECT_EQ(out, "out\n");
}

TEST(RunAndReadOutput, LargeOutputArrivesByteForByte) {
    TempDir dir;
    std::string bytes(5 << 20, '\0');
    std::mt19937 gen(3);
    for (char& c : bytes)
        c = static_cast<char>(gen());
    std::string file = dir.Write("list.bin", bytes);

    std::string out;
    int pumps = 0;
    ASSERT_EQ(Capture("/bin/cat", {file}, "", out, [&] { ++pumps; }), 0);
    EXPECT_EQ(out.size(), bytes.size());
    EXPECT_TRUE(out == bytes);
}

TEST(RunAndReadOutput, ReaderMayStopEarly) {
    std::size_t handed = 0;
    int calls = 0;
    int code = RunAndReadOutput("/bin/sh", {"-c", "head -c 3000000 /dev/zero; exit 5"}, "",
                                [&](const char*, std::size_t size) {
                                    handed += size;
                                    ++calls;
                                    return false;
                                });
    // The program is not blocked by a full pipe: it ends and gives its own exit code.
    EXPECT_EQ(code, 5);
    EXPECT_EQ(calls, 1);
    EXPECT_LT(handed, 3000000u);
}
