#pragma once
#include <string>

#include "core/ChosenMode.h"
#include "core/MonitorKind.h"
#include "core/Rotation.h"
#include "core/Scopes.h"

namespace kelvaro {

// The largest tolerances a user can set (the "Other" boxes of the two matching menus).
inline constexpr int kMaxMatchResWithin = 100;      // pixels
inline constexpr float kMaxMatchRefreshWithin = 15; // Hz

// The 19 settings kept in the settings file, with their defaults. The integers hold 16-bit values.
struct Settings {
    std::string MameExePath{};
    std::string MameINIPath{};
    std::string MameROMPath{};
    bool LegacyMame = false;
    std::string ModeListFile{}; // set at start-up to the default mode list when it exists
    // The types are named in full: the members take their names.
    kelvaro::MonitorOrientation MonitorOrientation = MonitorOrientation::Horizontal;
    kelvaro::PreferredRotation PreferredRotation = PreferredRotation::Clockwise;
    bool IgnoreInterlaced = true;
    int MatchResWithin = 16;          // pixels
    float MatchRefreshWithin = 1.25f; // Hz
    std::string NotFoundWidth = kNoModeWidth;
    std::string NotFoundHeight = kNoModeHeight;
    std::string NotFoundRefresh = kNoModeRefresh;
    std::string NotFoundINIText = kAutoResolution;
    GenerateScope GenerateApplyTo = GenerateScope::SelectedGame;
    bool GenerateAvailableOnly = true;
    bool GenerateParentsOnly = true;
    bool GenerateNoINIOnly = false;
    kelvaro::MonitorKind MonitorKind = kDefaultMonitorKind; // line 19: files of 18 lines keep the default
};

} // namespace kelvaro
