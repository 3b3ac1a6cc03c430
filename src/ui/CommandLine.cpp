#include "ui/CommandLine.h"

#include <string_view>

#include "core/Version.h"

namespace kelvaro {

namespace {

constexpr const char* kHelp =
    "usage: kelvaro [QT-OPTIONS]\n"
    "Kelvaro writes the MAME emulator's per-game INI files for a graphics card's fixed list of video modes.\n"
    "\n"
    "  -h, --help     print this text and exit\n"
    "  --version      print the version and exit\n"
    "\n"
    "Options that Qt itself takes, among them:\n"
    "  -platform NAME[:OPTIONS]   the window system plugin: xcb, wayland, offscreen...\n"
    "  -display DISPLAY           the X display to open (xcb)\n"
    "  -style STYLE               the widget style, e.g. Fusion\n"
    "  -stylesheet FILE           a Qt style sheet for every window\n"
    "  -reverse                   lay the windows out from right to left\n"
    "  -qwindowgeometry GEOMETRY  the main window's size and place, e.g. 1400x900+0+0\n"
    "  -qwindowtitle TITLE        the main window's title\n";

} // namespace

std::optional<int> AnswerInformationOptions(int argc, const char* const* argv, std::ostream& out) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            out << kHelp;
            return 0;
        }
        if (arg == "--version") {
            out << VersionText() << "\n";
            return 0;
        }
    }
    return std::nullopt;
}

} // namespace kelvaro
