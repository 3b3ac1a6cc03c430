#pragma once
#include <functional>
#include <string>

#include "core/DisplayModes.h"
#include "core/Outcome.h"

namespace kelvaro {

// What `xrandr --verbose` prints of the X11 display the program runs on, or why it could not be
// had (xrandr missing or failing, no answer within 10 seconds). pump (when given) keeps the
// windows painting while it runs.
Result<std::string> AskXrandr(const std::function<void()>& pump = {});

// The modes of the X11 display the program runs on, as File > Import Mode List > From This Display
// reads them: xrandr's output, only the named output's modes (every connected output's when the
// name is empty or names no output xrandr shows). Where the display cannot be asked (no X11
// display, a Wayland session, xrandr missing or failing) the reading says why. pump (when given)
// keeps the windows painting while xrandr runs.
DisplayReading ReadThisDisplay(const std::string& outputName, const std::function<void()>& pump = {});

} // namespace kelvaro
