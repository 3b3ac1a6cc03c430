#pragma once

class QWidget;

namespace kelvaro {

// While a long operation runs the windows keep painting but take no input: a click or key press
// made meanwhile is dropped, never delivered once the operation has ended. Holds
// nest; when the last one ends, the input still queued from its time is dropped too. No dialog
// may be shown during a hold: it could not be answered.
class InputHold {
public:
    InputHold();
    ~InputHold();
    InputHold(const InputHold&) = delete;
    InputHold& operator=(const InputHold&) = delete;

    // Paints what is pending and drops the input that came meanwhile; outside a hold, paints and
    // leaves the input for later.
    static void Pump();

    // Lets the input for one window through while holds last (nullptr: none again): the progress
    // window's control that ends a wait must take a click.
    static void Admit(QWidget* window);
};

} // namespace kelvaro
