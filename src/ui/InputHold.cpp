#include "ui/InputHold.h"

#include <QApplication>
#include <QEvent>

namespace kelvaro {

namespace {

// Drops the input that the window system delivers (spontaneous events); what the program sends
// itself passes. A close request is left to the windows: the main window refuses it while it is
// disabled, the progress window always.
class InputDrop : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->spontaneous() && event->isInputEvent()) {
            event->ignore();
            return true;
        }
        return QObject::eventFilter(watched, event);
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

void InputHold::Pump() {
    QCoreApplication::processEvents(g_installed ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
}

} // namespace kelvaro
