#include "ui/InputHold.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

namespace kelvaro {

namespace {

// Drops the input that the window system delivers (spontaneous events); what the program sends
// itself passes. A close request is left to the windows: the main window refuses it while it is
// disabled, the progress window always.
class InputDrop : public QObject {
public:
    QPointer<QWidget> admitted; // the window whose input passes

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->spontaneous() && event->isInputEvent() && !Admitted(watched)) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // The window system delivers input to the native window first, then the widgets get it.
    bool Admitted(QObject* watched) const {
        if (!admitted) return false;
        if (auto* widget = qobject_cast<QWidget*>(watched)) return widget->window() == admitted;
        if (auto* window = qobject_cast<QWindow*>(watched)) return window == admitted->windowHandle();
        return false;
    }
};

// Made once, when first needed, and kept: the application removes it only while a hold ends.
InputDrop& Drop() {
    static InputDrop* drop = new InputDrop;
    return *drop;
}

int g_holds = 0;
bool g_installed = false;

} // namespace

InputHold::InputHold() {
    if (++g_holds == 1 && !g_installed && qApp) {
        qApp->installEventFilter(&Drop());
        g_installed = true;
    }
}

InputHold::~InputHold() {
    if (--g_holds > 0 || !g_installed) return;
    // The input still queued from the time of the operation is delivered now, into the filter.
    QCoreApplication::processEvents();
    if (g_holds > 0 || !g_installed || !qApp) return;
    qApp->removeEventFilter(&Drop());
    g_installed = false;
}

void InputHold::Admit(QWidget* window) { Drop().admitted = window; }

void InputHold::Pump() {
    QCoreApplication::processEvents(g_installed ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
}

} // namespace kelvaro
