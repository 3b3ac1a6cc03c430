#pragma once
#include <QRect>
#include <QSize>

namespace kelvaro {

// What the main window's placement depends on; the rest are the measures it was designed with.
struct MainLayoutInput {
    QSize Window;         // the whole window, frame and menu bar included, in pixels
    int StatusHeight = 0; // the status bar's height in pixels
    int DpiX = 96, DpiY = 96;
    int UniqueCaption = 0; // the widths the two labels' captions need; a caption is never cut
    int AVGACaption = 0;
    // The widths the texts need, measured with the font: the native mode list's and the available
    // mode list's columns, and the first status panel's text. Each design width grows to its need.
    int MainList = 0, AvailList = 0, Panel1 = 0;
    int Panel2 = 0; // the width the second status panel's text needs
};

// Where the controls go, in pixels: the panels within the status bar, the rest within the
// client area below the menu bar.
struct MainLayout {
    QRect lblUnique, lvwMain, lvwGames, cmdTestGame, lblAVGA, lvwAVGA, cmd60Hz, stbPanel1, stbPanel2, stbPanel3;
};

// The resize rules: the native mode list and the available mode list keep their widths (the
// design widths, or what their texts need when that is more; so does the first status panel), the
// games list takes the rest, and the lists take the height; a window lower than the lists'
// fixed parts gives heights of 0, never negative ones. A window too narrow for the games list to
// keep 3600 twips takes the width from the side lists, down to half their design widths. The
// second and third status panels share the room right of the first one, the second taking what
// its text needs where half is less, as long as the third keeps a fifth.
MainLayout LayOutMainWindow(const MainLayoutInput& in);

// A design measure in twips (1/1440 inch) in pixels at dpi dots per inch.
int TwipsToPixels(double twips, int dpi);

} // namespace kelvaro
