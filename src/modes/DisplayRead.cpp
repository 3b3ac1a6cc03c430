#include "modes/DisplayRead.h"

#include <chrono>
#include <sstream>
#include <string_view>

#include "modes/ModeListImport.h"
#include "platform/Process.h"
#include "platform/System.h"

namespace kelvaro {

namespace {

// xrandr prints a few kilobytes; anything far beyond that is not its output.
constexpr std::size_t kMostOutput = 16 << 20;
// xrandr answers at once; one that does not is stuck on the display.
constexpr std::chrono::seconds kAnswerTime{10};

// The desktop's size from xrandr's first line, "Screen 0: minimum 8 x 8, current 1920 x 1080, ...".
void ReadDesktopSize(std::string_view text, DisplayReading& out) {
    const std::size_t at = text.find(", current ");
    if (at == std::string_view::npos) return;
    std::istringstream in(std::string(text.substr(at + 10, 32)));
    int w = 0, h = 0;
    char x = 0;
    if (in >> w >> x >> h && x == 'x' && w > 0 && h > 0) out.DesktopWidth = w, out.DesktopHeight = h;
}

} // namespace

Result<std::string> AskXrandr(const std::function<void()>& pump) {
    std::string text;
    const ProcessExit run = RunAndReadOutput(
        "xrandr", {"--verbose"}, std::string(),
        [&text](const char* bytes, std::size_t count) {
            text.append(bytes, count);
            return text.size() < kMostOutput;
        },
        pump, kAnswerTime);
    if (run.Error)
        return Outcome::Failure("xrandr could not be run (" + run.Error.message() +
                                "); on Debian and Ubuntu it comes with the package x11-xserver-utils");
    if (run.ExitCode != 0)
        return Outcome::Failure(run.TimedOut ? "xrandr did not answer"
                                             : "xrandr could not read the display's modes (it ended with status " +
                                                   std::to_string(run.ExitCode) + ")");
    return text;
}

DisplayReading ReadThisDisplay(const std::string& outputName, const std::function<void()>& pump) {
    DisplayReading out;
    const std::string display = EnvironmentValue("DISPLAY");
    if (display.empty()) {
        out.NotRead = EnvironmentValue("WAYLAND_DISPLAY").empty()
                          ? "there is no X11 display (DISPLAY is not set)"
                          : "this is a Wayland session without an X11 display, where xrandr cannot ask the display";
        return out;
    }
    if (EnvironmentValue("XDG_SESSION_TYPE") == "wayland") {
        out.NotRead = "this is a Wayland session, where xrandr shows the modes of its X11 stand-in, not the display's";
        return out;
    }
    const Result<std::string> text = AskXrandr(pump);
    if (!text) {
        out.NotRead = text.Reason();
        return out;
    }
    ReadDesktopSize(*text, out);
    ModeImport import = ImportModeList(*text, {outputName, 60});
    std::string which = outputName;
    if (import.Modes.empty() && !outputName.empty()) {
        import = ImportModeList(*text, {});
        which.clear();
    }
    out.Origin = "the display " + display + (which.empty() ? "" : ", xrandr output " + which);
    for (const ImportedMode& mode : import.Modes) out.Modes.push_back({mode.Width, mode.Height, mode.Rate});
    if (out.Modes.empty()) out.NotRead = "xrandr named no mode of the display " + display;
    return out;
}

} // namespace kelvaro
