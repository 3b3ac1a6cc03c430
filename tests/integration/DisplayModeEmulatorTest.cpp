// The real emulator switching a display of the test's own: a private Xvfb server with modes added
// by xrandr, pong (a machine without ROM files) run by kelvaro-batch test with the INI file that
// kelvaro-batch generate wrote, the display's mode read with xrandr while the game runs, and the
// picture's place on the screen, seen through a layout that draws a frame on its edges, compared
// with the one kelvaro-batch check predicts.
#include <gtest/gtest.h>

#ifndef _WIN32

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <set>
#include <sstream>
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

// The part of the screen a colour covers, from a screenshot: left, top, width, height.
struct Box {
    long left = 0, top = 0, width = 0, height = 0;
};

// Where the screen's magenta pixels are, from `import`'s PPM shot of the whole screen; nothing
// when the shot cannot be read or holds no such pixel.
std::optional<Box> MagentaOnScreen() {
    const std::string ppm = Output("import -window root -depth 8 ppm:-");
    std::istringstream in(ppm);
    std::string magic;
    long width = 0, height = 0, top = 0;
    in >> magic >> width >> height >> top;
    in.get();
    if (in.fail() || magic != "P6" || top != 255 || width <= 0 || height <= 0) return std::nullopt;
    const auto start = static_cast<std::size_t>(in.tellg());
    auto at = [&](long x, long y) { return start + 3 * static_cast<std::size_t>(y * width + x); };
    if (ppm.size() < at(0, height)) return std::nullopt;
    long x0 = width, y0 = height, x1 = -1, y1 = -1;
    for (long y = 0; y < height; ++y)
        for (long x = 0; x < width; ++x) {
            const auto* px = reinterpret_cast<const unsigned char*>(ppm.data() + at(x, y));
            if (px[0] < 200 || px[1] > 60 || px[2] < 200) continue;
            x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
        }
    if (x1 < 0) return std::nullopt;
    return Box{x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

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
        for (const char* program : {"Xvfb", "xrandr", "xdotool", "import"})
            if (!OnPath(program))
                skip_ =
                    std::string(program) + " is not installed (packages xvfb, x11-xserver-utils, xdotool, imagemagick)";
        if (!fs::exists(KELVARO_MAME_EXE)) skip_ = "the emulator is not installed";
        if (!skip_.empty()) return;
        display_ = new PrivateDisplay;
        if (!display_->Start(skip_)) return;
        setenv("DISPLAY", display_->Name().c_str(), 1);
        // 320 x 240, 640 x 480, 848 x 480 and 1024 x 576 at 60 Hz beside the server's own 1024 x 768.
        const std::string added[] = {
            "m320 6.7 320 336 368 426 240 244 247 262", "m640 25.175 640 656 752 800 480 490 492 525",
            "m848 33.75 848 864 976 1088 480 486 494 517", "m1024 46.5 1024 1064 1160 1296 576 579 584 599"};
        for (const std::string& mode : added)
            std::system(("xrandr --newmode " + mode + " -hsync -vsync >/dev/null 2>&1 && xrandr --addmode screen " +
                         mode.substr(0, mode.find(' ')) + " >/dev/null 2>&1")
                            .c_str());
        const std::string modes = Output("xrandr");
        if (std::any_of(std::begin(added), std::end(added), [&](const std::string& mode) {
                return modes.find(mode.substr(0, mode.find(' ')) + " ") == std::string::npos;
            }))
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
        WriteMameIni("seconds_to_run 2\n");
        const std::string make =
            "'" KELVARO_MAME_EXE "' -listxml pong 2>/dev/null | '" KELVARO_BATCH_EXE "' listinfo > '" + dat + "'";
        ASSERT_EQ(std::system(make.c_str()), 0);
    }

    void TearDown() override {
        if (!IsSkipped()) setenv("HOME", oldHome_.c_str(), 1);
    }

    void WriteMameIni(const std::string& more) {
        t.Write("home/.mame/mame.ini", "switchres 1\ninipath " + ini + "\nsound none\n" + more);
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

TEST_F(DisplayModeEmulatorTest, ThePictureIsWhereKelvaroSaysItIs) {
    // A layout of pong's screen alone, 4:3 as the game's, with a magenta frame drawn over its
    // edges: the frame's outer edges are the picture's.
    t.Write(
        "art/pong/default.lay",
        "<?xml version=\"1.0\"?>\n<mamelayout version=\"2\">\n"
        "<element name=\"edge\"><rect><color red=\"1\" green=\"0\" blue=\"1\"/></rect></element>\n"
        "<view name=\"KelvaroFrame\"><screen index=\"0\"><bounds x=\"0\" y=\"0\" width=\"4\" height=\"3\"/></screen>\n"
        "<element ref=\"edge\"><bounds x=\"0\" y=\"0\" width=\"4\" height=\"0.06\"/></element>\n"
        "<element ref=\"edge\"><bounds x=\"0\" y=\"2.94\" width=\"4\" height=\"0.06\"/></element>\n"
        "<element ref=\"edge\"><bounds x=\"0\" y=\"0\" width=\"0.06\" height=\"3\"/></element>\n"
        "<element ref=\"edge\"><bounds x=\"3.94\" y=\"0\" width=\"0.06\" height=\"3\"/></element>\n"
        "</view></mamelayout>\n");
    WriteMameIni("seconds_to_run 4\nartpath " + t.File("art") + "\nview KelvaroFrame\n");
    // The emulator takes the desktop's shape as the monitor's: a wide mode on a wide desktop
    // (1024 x 576) keeps a border left and right; on the 4:3 desktop a vertical monitor's turned
    // picture, 3:4, is in the middle of 640 x 480.
    struct Case {
        std::string orientation, list, desktop;
        long modeWidth, modeHeight;
    };
    for (const Case& c :
         {Case{"0", "848 480 60\n", "m1024", 848, 480}, Case{"1", "640 480 60\n", "1024x768", 640, 480}}) {
        SCOPED_TRACE(c.orientation);
        std::system(("xrandr --output screen --mode " + c.desktop + " >/dev/null 2>&1").c_str());
        ASSERT_EQ(Generate(c.orientation, c.list), std::to_string(c.modeWidth) + " x " + std::to_string(c.modeHeight));
        const BatchResult check =
            RunBatch({"check", "--exe", KELVARO_MAME_EXE, "--ini-dir", ini, "--dat", dat, "--game", "pong", "--cfg",
                      t.File("none.cfg"), "--set", "MonitorOrientation=" + c.orientation});
        const std::size_t picture = check.out.find("\nPicture ");
        const std::string shown =
            picture == std::string::npos ? "" : SizeAfter(check.out.substr(picture), " to ", " x ");
        ASSERT_FALSE(shown.empty()) << check.out << check.err;
        const long width = std::stol(shown), height = std::stol(shown.substr(shown.find('x') + 1));

        // No window manager places the emulator's window: SDL centres it on the screen as it was
        // before the switch, so it is moved to the corner, where the mode shows it whole.
        std::optional<Box> seen;
        std::thread watch([&] {
            for (int tries = 0; tries < 60 && !seen; ++tries) {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                const std::string id = Output("xdotool search --name 'MAME'");
                if (id.empty()) continue;
                std::system(("xdotool windowmove " + id.substr(0, id.find('\n')) + " 0 0 >/dev/null 2>&1").c_str());
                std::this_thread::sleep_for(std::chrono::milliseconds(500));
                seen = MagentaOnScreen();
            }
        });
        const BatchResult run = RunBatch({"test", "pong", "--exe", KELVARO_MAME_EXE, "--dat", dat, "--modes", modes,
                                          "--ini-dir", ini, "--cfg", t.File("none.cfg")});
        watch.join();
        std::system("xrandr --output screen --mode 1024x768 >/dev/null 2>&1");
        EXPECT_EQ(run.status, 0) << run.out << run.err;
        ASSERT_TRUE(seen) << "no frame was seen on the screen";
        std::cout << "predicted " << shown << ", seen " << seen->width << " x " << seen->height << " at " << seen->left
                  << ", " << seen->top << "\n";
        // Within 2 % each way, and centred as predicted.
        EXPECT_LE(std::abs(seen->width - width), width / 50) << shown;
        EXPECT_LE(std::abs(seen->height - height), height / 50) << shown;
        EXPECT_LE(std::abs(seen->left - (c.modeWidth - width) / 2), c.modeWidth / 50);
        EXPECT_LE(std::abs(seen->top - (c.modeHeight - height) / 2), c.modeHeight / 50);
    }
}

#endif
