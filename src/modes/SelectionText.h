#pragma once
#include <string>

#include "core/Model.h"
#include "core/Picture.h"
#include "modes/SelectionRecord.h"

namespace kelvaro {

// Two or three plain lines ("\n" between them) saying why the game got its mode: what was looked
// for and what was found, or why nothing fitted.
std::string SelectionReason(const Model& m, const SelectionRecord& r);

// The figures of a picture in a mode as plain lines: sizes, how the emulator fits it ("Whole
// lines: scaled 2 x 2 to 640 x 480", "Aspect kept: stretched to 360 x 480, 1.37 x 1.06 with 140
// columns of border left and right"), interlacing, refresh.
std::string PictureText(const PictureFigures& p);

// One line saying what the figures assume that Kelvaro cannot know: the options the INI text does
// not set (taken at the emulator's defaults), the picture's aspect, the pixels' shape, and that
// no front end's command line sets them.
std::string PictureAssumptions(const RenderOptions& options);

// Everything the selection did for the game, one line per search and per mode looked at, then the
// picture's figures in the chosen mode. Its first line is "chosen<TAB>W<TAB>H<TAB>R" with the
// game's mode cells, or "chosen<TAB>none" when the selection found no mode and none was given.
std::string SelectionExplanation(const Model& m, const SelectionRecord& r);

} // namespace kelvaro
