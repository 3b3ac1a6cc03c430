// The real emulator switching a display of the test's own: a private Xvfb server with modes added
// by xrandr, pong (a machine without ROM files) run by kelvaro-batch test with the INI file that
// kelvaro-batch generate wrote, the display's mode read with xrandr while the game runs.
#include <gtest/gtest.h>

#ifndef _WIN32

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <thread>

#include "BatchRun.h"
#include "TempDir.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

// "W x H" from the first "<prefix>W<separator>H" in text (digits only); empty when there is none.
std::string SizeAfter(const std::string& text, const std::string& prefix, const std::string& separator) {
    for (std::size_t at = text.find(prefix); at != std::string::npos; at = text.find(prefix, at + 1)) {
        std::size_t p = at + prefix.size(), w = p;
        while (w < text.size() && std::isdigit(static_cast<unsigned char>(text[w]))) ++w;
        if (w == p || text.compare(w, separator.size(), separator) != 0) continue;
        std::size_t h = w + separator.size(), e = h;
        while (e < text.size() && std::isdigit(static_cast<unsigned char>(text[e]))) ++e;
        if (e > h) {
            std::string size(text, p, w - p);
            size.append(" x ").append(text, h, e - h);
            return size;
        }
    }
    return {};
}

// What a shell command printed on standard output (its error output discarded).
std::string Output(const std::string& command) {
    std::string out;
    if (FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

bool OnPath(const std::string& program) { return !Output("command -v " + program).empty(); }

// A private X server for the whole suite, with one client connected all along: the modes xrandr
// adds vanish when the last client leaves.
class PrivateDisplay {
public:
    bool Start(std::string& why) {
        for (int n = 90; n <= 99 && display_.empty(); ++n) {
            const std::string lock = "/tmp/.X" + std::to_string(n) + "-lock";
            if (fs::exists(lock) || fs::exists("/tmp/.X11-unix/X" + std::to_string(n))) continue;
            std::string name = std::to_string(n);
            name.insert(name.begin(), ':'); // (":" + ... trips GCC 12's false -Wrestrict here)
            const char* argv[] = {"Xvfb", name.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp", nullptr};
            posix_spawn_file_actions_t quiet;
            posix_spawn_file_actions_init(&quiet);
            posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
            posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
            const int failed = posix_spawnp(&server_, "Xvfb", &quiet, nullptr, const_cast<char**>(argv), environ);
            posix_spawn_file_actions_destroy(&quiet);
            if (failed) break;
            if (Connect("/tmp/.X11-unix/X" + std::to_string(n))) {
                display_ = name;
                break;
            }
            Stop();
        }
        if (display_.empty()) {
            why = "no private Xvfb server could be started on :90 to :99";
            return false;
        }
        return true;
    }

    void Stop() {
        if (client_ >= 0) close(client_);
        client_ = -1;
        if (server_ > 0) {
            kill(server_, SIGTERM);
            waitpid(server_, nullptr, 0);
        }
        server_ = 0;
    }

    [[nodiscard]] const std::string& Name() const { return display_; }

private:
    // Connects as an X client (the connection setup without authorization) once the server's
    // socket answers; false when it does not within 10 seconds.
    bool Connect(const std::string& socketPath) {
        for (int tries = 0; tries < 100; ++tries) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            const int s = socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
            if (connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
                close(s);
                continue;
            }
            const unsigned char setup[12] = {'l', 0, 11, 0, 0, 0, 0, 0, 0, 0, 0, 0};
            unsigned char answer = 0;
            if (write(s, setup, sizeof setup) == sizeof setup && read(s, &answer, 1) == 1 && answer == 1) {
                client_ = s;
                return true;
            }
            close(s);
        }
        return false;
    }

    pid_t server_ = 0;
    int client_ = -1;
    std::string display_;
};

class DisplayModeEmulatorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        for (const char* program : {"Xvfb", "xrandr"})
            if (!OnPath(program)) skip_ = std::string(program) + " is not installed (packages xvfb, x11-xserver-utils)";
        if (!fs::exists(KELVARO_MAME_EXE)) skip_ = "the emulator is not installed";
        if (!skip_.empty()) return;
        display_ = new PrivateDisplay;
        if (!display_->Start(skip_)) return;
        setenv("DISPLAY", display_->Name().c_str(), 1);
        // 320 x 240 and 640 x 480 at 60 Hz beside the server's own 1024 x 768.
        for (const char* mode :
             {"m320 6.7 320 336 368 426 240 244 247 262", "m640 25.175 640 656 752 800 480 490 492 525"})
            std::system(("xrandr --newmode " + std::string(mode) +
                         " -hsync -vsync >/dev/null 2>&1 && xrandr --addmode screen " + std::string(mode).substr(0, 4) +
                         " >/dev/null 2>&1")
                            .c_str());
        const std::string modes = Output("xrandr");
        if (modes.find("m320") == std::string::npos || modes.find("m640") == std::string::npos)
            skip_ = "xrandr could not add modes to the private display: " + modes;
    }

    static void TearDownTestSuite() {
        if (display_) display_->Stop();
        delete display_;
        display_ = nullptr;
    }

    void SetUp() override {
        if (!skip_.empty()) GTEST_SKIP() << skip_;
        if (const char* h = std::getenv("HOME")) oldHome_ = h;
        // The emulator switches modes with switchres 1, reads the INI folder, and ends by itself
        // after 2 seconds of the game (it ignores the end signal).
        setenv("HOME", t.File("home").c_str(), 1);
        fs::create_directories(ini);
        t.Write("home/.mame/mame.ini", "switchres 1\ninipath " + ini + "\nseconds_to_run 2\nsound none\n");
        const std::string make =
            "'" KELVARO_MAME_EXE "' -listxml pong 2>/dev/null | '" KELVARO_BATCH_EXE "' listinfo > '" + dat + "'";
        ASSERT_EQ(std::system(make.c_str()), 0);
    }

    void TearDown() override {
        if (!IsSkipped()) setenv("HOME", oldHome_.c_str(), 1);
    }

    // Generates pong's INI file for the monitor with the modes ("W H R" lines) and returns the
    // size its resolution line asks for.
    std::string Generate(const std::string& orientation, const std::string& list) {
        const BatchResult import = RunBatch({"import-modes", "--out", modes}, list);
        EXPECT_EQ(import.status, 0) << import.err;
        const BatchResult generate = RunBatch({"generate", "--dat", dat, "--modes", modes, "--ini-dir", ini, "--cfg",
                                               t.File("none.cfg"), "--set", "MonitorOrientation=" + orientation});
        EXPECT_EQ(generate.status, 0) << generate.err;
        const std::string text = TempDir::Read(ini + "/pong.ini");
        const std::string size = SizeAfter(text, "resolution ", "x");
        EXPECT_FALSE(size.empty()) << text;
        return size;
    }

    // Runs kelvaro-batch test on pong, reading the display's size with xrandr all the while;
    // the sizes seen go to seen.
    BatchResult Test(std::set<std::string>& seen) {
        std::atomic<bool> running = true;
        std::thread watch([&] {
            while (running) {
                if (const std::string size = SizeAfter(Output("xrandr"), "current ", " x "); !size.empty())
                    seen.insert(size);
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            }
        });
        BatchResult result = RunBatch({"test", "pong", "--exe", KELVARO_MAME_EXE, "--dat", dat, "--modes", modes,
                                       "--ini-dir", ini, "--cfg", t.File("none.cfg")});
        running = false;
        watch.join();
        return result;
    }

    TempDir t;
    const std::string ini = t.File("ini"), dat = t.File("mame.dat"), modes = t.File("modes.txt");

private:
    std::string oldHome_;
    static inline PrivateDisplay* display_ = nullptr;
    static inline std::string skip_;
};

} // namespace

TEST_F(DisplayModeEmulatorTest, TheEmulatorSetsTheChosenModeOnAHorizontalAndAVerticalMonitor) {
    // Horizontal (0) and vertical (1): pong's 454 x 262 picture, or its turn, fits 640 x 480 only.
    for (const std::string orientation : {"0", "1"}) {
        SCOPED_TRACE(orientation);
        const std::string chosen = Generate(orientation, "320 240 60\n640 480 60\n");
        ASSERT_FALSE(chosen.empty());
        std::set<std::string> seen;
        const BatchResult run = Test(seen);
        EXPECT_EQ(run.status, 0) << run.out << run.err;
        EXPECT_EQ(run.out, "M.A.M.E. set the display to " + chosen + " @ 60 Hz.\n") << run.err;
        EXPECT_TRUE(seen.count(chosen)) << "xrandr saw: " << ::testing::PrintToString(seen);
    }
}

TEST_F(DisplayModeEmulatorTest, AModeTheDisplayLacksIsNamedWithTheModeUsedInstead) {
    // pong (454 x 262) is given 512 x 384, which the display lacks.
    const std::string chosen = Generate("0", "512 384 60\n640 480 60\n");
    ASSERT_EQ(chosen, "512 x 384");
    const BatchResult check = RunBatch({"check", "--exe", KELVARO_MAME_EXE, "--ini-dir", ini, "--dat", dat, "--modes",
                                        modes, "--cfg", t.File("none.cfg")});
    EXPECT_NE(check.out.find("lacks 1 of the 2 modes of the mode list: 512 x 384 @ 60 (1 game)"), std::string::npos)
        << check.out << check.err;
    std::set<std::string> seen;
    const BatchResult run = Test(seen);
    EXPECT_EQ(run.status, 1) << run.out << run.err;
    // The INI file names the size alone: 512 x 384 is in the list at one rate only.
    EXPECT_EQ(run.out, "M.A.M.E. set the display to 640 x 480 @ 60 Hz instead of 512 x 384: the display has no mode "
                       "512 x 384.\nM.A.M.E. set the display to 640 x 480 @ 60 Hz.\n")
        << run.out << run.err;
    EXPECT_TRUE(seen.count("640 x 480")) << "xrandr saw: " << ::testing::PrintToString(seen);
}

#endif
