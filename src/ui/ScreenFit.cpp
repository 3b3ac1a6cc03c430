#include "ui/ScreenFit.h"

#include <QDialog>
#include <QEvent>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

namespace kelvaro {

namespace {

// Asks for the whole of its content where Qt's scroll area caps its wish at a fixed size.
class FittingScrollArea : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        const int frame = 2 * frameWidth();
        return widget() ? widget()->sizeHint() + QSize(frame, frame) : QScrollArea::sizeHint();
    }
    QSize minimumSizeHint() const override {
        const int frame = 2 * frameWidth();
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        const int width = widget() ? widget()->minimumSizeHint().width() : 0;
        return {width + bar + frame, 5 * fontMetrics().height() + frame};
    }
};

QRect AvailableArea(const QWidget* window) {
    const QScreen* screen = window->screen();
    if (const QWidget* parent = window->parentWidget(); !window->isVisible() && parent)
        screen = parent->window()->screen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace

QScrollArea* ScrollingArea(QWidget* content, QWidget* parent) {
    auto* area = new FittingScrollArea(parent);
    area->setObjectName(content->objectName() + QStringLiteral("Scroll"));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setWidget(content);
    return area;
}

QMargins FrameOf(const QWidget* window) {
    for (const QWidget* w = window; w; w = w->parentWidget() ? w->parentWidget()->window() : nullptr) {
        const QRect outer = w->frameGeometry(), inner = w->geometry();
        if (w->isVisible() && outer != inner)
            return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                    outer.bottom() - inner.bottom()};
    }
    return {};
}

namespace {

// Cuts window's size, frame included, to room (never below its minimum size); true when it had to.
bool FitSize(QWidget* window, const QSize& room) {
    // A window nobody sized asks for its layout's size; Qt's own choice stops at two thirds of the
    // screen, which leaves a dialog's contents scrolling with room to spare.
    const QSize size = window->testAttribute(Qt::WA_Resized) ? window->size() : window->sizeHint();
    const QSize fitted = size.boundedTo(room).expandedTo(window->minimumSize());
    if (fitted != window->size()) window->resize(fitted);
    return fitted != size;
}

} // namespace

bool FitToArea(QWidget* window, const QRect& area, const QMargins& frame) {
    const bool cut = FitSize(window, area.marginsRemoved(frame).size());
    // A window's position is its frame's; the left and top edges win where it cannot fit.
    const QSize outer = window->size().grownBy(frame);
    QPoint at = window->pos();
    at.setX(std::max(area.left(), std::min(at.x(), area.right() + 1 - outer.width())));
    at.setY(std::max(area.top(), std::min(at.y(), area.bottom() + 1 - outer.height())));
    if (at != window->pos()) window->move(at);
    return cut;
}

namespace {

class ShowingFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = qobject_cast<QWidget*>(watched);
        const QRect area = window ? AvailableArea(window) : QRect();
        if (event->type() == QEvent::Show && area.isValid() && !window->isMaximized() && !window->isFullScreen()) {
            // A dialog not yet placed is centred on its parent by Qt, within the screen.
            if (qobject_cast<QDialog*>(window) && !window->testAttribute(Qt::WA_Moved))
                FitSize(window, area.marginsRemoved(FrameOf(window)).size());
            else
                FitToArea(window, area, FrameOf(window));
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void FitOnEveryShowing(QWidget* window) { window->installEventFilter(new ShowingFilter(window)); }

void ShowOnScreen(QMainWindow* window) {
    const QRect area = AvailableArea(window);
    if (!area.isValid()) return window->show();
    // The window is not shown yet: its frame is taken as the usual title bar and border.
    const int title = window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    const int border = 2;
    const QMargins frame(border, title + border, border, border);
    window->move(area.topLeft());
    if (FitToArea(window, area, frame))
        window->showMaximized();
    else
        window->show();
}

} // namespace kelvaro
