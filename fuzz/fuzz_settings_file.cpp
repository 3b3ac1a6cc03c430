// The settings file reader on any bytes: what it reads is written back as 19 lines, and reading
// those back changes nothing. The first two lines also go through the setting by name, which
// takes only a value the menus offer and leaves everything else as it was.
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "core/Settings.h"
#include "core/SettingsFile.h"
#include "core/Text.h"

using namespace kelvaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Settings s;
    ParseSettingsFile(bytes, s);
    FUZZ_CHECK(NumberOf(s.MonitorOrientation) >= 0 && NumberOf(s.MonitorOrientation) <= 2);
    FUZZ_CHECK(NumberOf(s.PreferredRotation) >= 0 && NumberOf(s.PreferredRotation) <= 1);
    const std::string written = FormatSettingsFile(s);
    FUZZ_CHECK(SplitLines(written).size() == 19 && written.ends_with("\r\n"));
    Settings again;
    again.MatchResWithin = 99; // every line is read: nothing of the defaults shows through
    ParseSettingsFile(written, again);
    FUZZ_CHECK(FormatSettingsFile(again) == written);

    const std::vector<std::string_view> lines = SplitLines(bytes);
    if (lines.size() < 2) return 0;
    Settings set;
    const Outcome done = SetSettingByName(set, std::string(lines[0]), std::string(lines[1]));
    if (!done) {
        FUZZ_CHECK(!done.Reason().empty());
        FUZZ_CHECK(FormatSettingsFile(set) == FormatSettingsFile(Settings{}));
        return 0;
    }
    FUZZ_CHECK(NumberOf(set.MonitorOrientation) >= 0 && NumberOf(set.MonitorOrientation) <= 2);
    FUZZ_CHECK(NumberOf(set.PreferredRotation) >= 0 && NumberOf(set.PreferredRotation) <= 1);
    FUZZ_CHECK(set.MatchResWithin >= 0 && set.MatchResWithin <= kMaxMatchResWithin);
    FUZZ_CHECK(set.MatchRefreshWithin >= 0 && set.MatchRefreshWithin <= kMaxMatchRefreshWithin);
    FUZZ_CHECK(NumberOf(set.GenerateApplyTo) >= 0 && NumberOf(set.GenerateApplyTo) <= 3);
    Settings reread;
    ParseSettingsFile(FormatSettingsFile(set), reread);
    FUZZ_CHECK(FormatSettingsFile(reread) == FormatSettingsFile(set));
    return 0;
}
