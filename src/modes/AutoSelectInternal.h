#pragma once
// The steps of the automatic selection, for the tests that check each one on its own.
#include <string>
#include <string_view>

#include "core/Model.h"

namespace kelvaro {

// An entry of AvailHeightList (AvailWidthList) near the value, or empty when none: with exact,
// the first entry within 2 pixels; otherwise the first entry whose value plus MatchResWithin
// reaches the value, and the largest entry when none does. Entries that are not numbers are
// passed over.
std::string SnapToAvailableHeight(const Model& m, std::string_view value, bool exact);
std::string SnapToAvailableWidth(const Model& m, std::string_view value, bool exact);

// The row of the best available mode for a target width, a height key (a list entry or empty),
// a minimum height and the native refresh text; 0 when no mode qualifies.
int FindBestMode(const Model& m, double targetWidth, const std::string& heightKey, double minHeight,
                 const std::string& nativeRefresh);

} // namespace kelvaro
