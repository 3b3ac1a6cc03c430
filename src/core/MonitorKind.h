#pragma once
#include "core/Rotation.h"
#include "core/Scopes.h"

namespace kelvaro {

// The kind of monitor the card drives, which decides the modes worth adding to its list (their
// line and refresh rates and whether they may be interlaced; src/modes/MonitorRanges.h holds the
// figures). The numbers are the items of the Monitor Kind menu and what kelvaro.cfg stores.
enum class MonitorKind : int {
    Arcade15 = 0,
    Arcade15And25 = 1,
    TriSync = 2,
    Vga31 = 3,
    MultisyncPc = 4,
    FixedPanel = 5,
};

// Every kind, in menu order; a tri-sync arcade monitor unless the user says otherwise.
inline constexpr NamedChoice<MonitorKind> kMonitorKinds[] = {
    {MonitorKind::Arcade15, "&15 kHz Arcade Monitor"},
    {MonitorKind::Arcade15And25, "15/&25 kHz Arcade Monitor"},
    {MonitorKind::TriSync, "15/25/&31 kHz Tri-Sync Arcade Monitor"},
    {MonitorKind::Vga31, "31 kHz &VGA Monitor"},
    {MonitorKind::MultisyncPc, "&Multisync PC Monitor"},
    {MonitorKind::FixedPanel, "Fixed-Panel &LCD"},
};
inline constexpr MonitorKind kDefaultMonitorKind = MonitorKind::TriSync;

} // namespace kelvaro
