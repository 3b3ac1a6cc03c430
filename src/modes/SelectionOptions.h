#pragma once
#include <optional>
#include <string_view>

#include "core/Rotation.h"

namespace kelvaro {

// The check item of the "Match Resolution Within..." group for a tolerance: 0, 8, 16, 24, 48 give
// items 0 to 4, anything else item 5 ("&Other"). Likewise for the refresh group with 0, 1, 1.25,
// 1.5 and 2.
int MatchResItem(int pixels);
int MatchRefreshItem(float hz);

// The tolerance each preset item stands for (items 0 to 4); -1 for any other item.
int MatchResOfItem(int item);
float MatchRefreshOfItem(int item);

// An "&Other" answer: accepted when not empty and its leading number lies in range (0 to 100,
// rounded half to even; 0 to 15 in single precision). Nothing when it is rejected.
std::optional<int> AcceptResTolerance(std::string_view answer);
std::optional<float> AcceptRefreshTolerance(std::string_view answer);

// A monitor orientation or rotation outside its menu's items falls back to the first item.
MonitorOrientation ValidOrientation(MonitorOrientation value);
PreferredRotation ValidRotation(PreferredRotation value);

} // namespace kelvaro
