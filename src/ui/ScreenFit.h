#pragma once
#include <QMargins>
#include <QRect>

class QMainWindow;
class QScrollArea;
class QWidget;

namespace kelvaro {

// Windows fit the screen they are on, down to a 640 x 480 desktop: a dialog's contents scroll
// inside it where they must, while its buttons stay outside the scrolled part.

// A scroll area around content: as large as content wants where there is room, and no smaller
// than content's narrowest width and a few lines where there is not. It takes content.
QScrollArea* ScrollingArea(QWidget* content, QWidget* parent);

// What the window system adds around a window: its own frame once it has been shown, else its
// parent window's, else nothing.
QMargins FrameOf(const QWidget* window);

// Sizes window, frame included, to fit within area (never below its minimum size) and moves it
// inside area, keeping its place where it fits already. Returns whether its size had to be cut.
bool FitToArea(QWidget* window, const QRect& area, const QMargins& frame);

// Fits window to its screen's available area (its parent's screen before it has one of its own)
// at each showing.
void FitOnEveryShowing(QWidget* window);

// Shows the main window within its screen's available area, maximized when the size it was made
// with does not fit there.
void ShowOnScreen(QMainWindow* window);

} // namespace kelvaro
