#pragma once
#include <QElapsedTimer>
#include <QProgressBar>
#include <QWidget>
#include <functional>
#include <optional>

#include "core/Progress.h"
#include "ui/InputHold.h"

class QLabel;
class QPushButton;

namespace kelvaro {

// A progress bar that can also count on without a total: it then shows that work goes on, with
// the number of items done so far as its text.
class CountingBar : public QProgressBar {
public:
    using QProgressBar::QProgressBar;
    // Without a total, Count sets the number shown; with one, the bar is set as usual.
    void SetRunning(bool running);
    void Count(int done);
    QString text() const override;

private:
    bool running_ = false;
    int done_ = 0;
};

// The small window that long operations show while they run. While it is shown the main window
// is disabled and shows the hourglass, and no window takes input (InputHold); the bar is hidden
// for operations without a count, and counts on by itself where the total is not known. A count
// beyond the total stretches the bar.
class frmProgress : public QWidget, public ProgressSink {
    Q_OBJECT
public:
    // mainWindow is the window disabled while an operation runs.
    explicit frmProgress(QWidget* mainWindow);

    void Begin(const std::string& text, int count) override;
    void Step(int item) override;
    void End() override;
    void Pump() override;
    // The button that ends a wait, under a line that says why; it takes input while the rest of
    // the program takes none. Shown only while offered: there is no Cancel otherwise.
    void OfferEnd(const std::string& why, const std::string& caption) override;
    bool EndRequested() override { return endRequested_; }

    void Form_Activate();

protected:
    bool event(QEvent* event) override;
    // It has no cancel control: it cannot be closed either, it goes when its operation ends.
    void closeEvent(QCloseEvent* event) override;

private:
    CountingBar* prgMain = nullptr;
    QLabel* lblMessage = nullptr;
    QLabel* lblWhy = nullptr;
    QPushButton* cmdEnd = nullptr;
    bool endRequested_ = false;

    // As tall as the controls shown need.
    void FitHeight();

    QWidget* main_;
    QElapsedTimer sincePaint_;
    std::optional<InputHold> hold_;
};

// Hands every report on to a progress window that is made only when an operation first begins:
// a start-up with nothing to read never creates one.
class ProgressOnDemand : public ProgressSink {
public:
    explicit ProgressOnDemand(std::function<frmProgress&()> make) : make_(std::move(make)) {}
    void Begin(const std::string& text, int count) override;
    void Step(int item) override;
    void End() override;
    void Pump() override;
    void OfferEnd(const std::string& why, const std::string& caption) override;
    bool EndRequested() override;

private:
    std::function<frmProgress&()> make_;
    frmProgress* target_ = nullptr;
};

} // namespace kelvaro
