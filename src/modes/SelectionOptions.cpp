#include "modes/SelectionOptions.h"

#include "core/Settings.h"
#include "core/TextNumbers.h"

namespace kelvaro {

namespace {

constexpr int kResItems[] = {0, 8, 16, 24, 48};
constexpr float kRefreshItems[] = {0.0f, 1.0f, 1.25f, 1.5f, 2.0f};

} // namespace

int MatchResItem(int pixels) {
    for (int item = 0; item < 5; ++item)
        if (kResItems[item] == pixels) return item;
    return 5;
}

int MatchRefreshItem(float hz) {
    // The presets are exact in single precision, so a saved 1.25 compares equal.
    for (int item = 0; item < 5; ++item)
        if (kRefreshItems[item] == hz) return item;
    return 5;
}

int MatchResOfItem(int item) { return item >= 0 && item < 5 ? kResItems[item] : -1; }

float MatchRefreshOfItem(int item) { return item >= 0 && item < 5 ? kRefreshItems[item] : -1.0f; }

std::optional<int> AcceptResTolerance(std::string_view answer) {
    // A cancelled box gives an empty answer; an answer without a leading number counts as 0.
    if (answer.empty()) return std::nullopt;
    const double value = LeadingNumber(answer);
    if (value < 0 || value > kMaxMatchResWithin) return std::nullopt;
    return static_cast<int>(RoundHalfEven(value));
}

std::optional<float> AcceptRefreshTolerance(std::string_view answer) {
    if (answer.empty()) return std::nullopt;
    const double value = LeadingNumber(answer);
    if (value < 0 || value > kMaxMatchRefreshWithin) return std::nullopt;
    return static_cast<float>(value);
}

MonitorOrientation ValidOrientation(MonitorOrientation value) {
    for (const auto& choice : kMonitorOrientations)
        if (choice.Value == value) return value;
    return kMonitorOrientations[0].Value;
}

PreferredRotation ValidRotation(PreferredRotation value) {
    for (const auto& choice : kPreferredRotations)
        if (choice.Value == value) return value;
    return kPreferredRotations[0].Value;
}

} // namespace kelvaro
