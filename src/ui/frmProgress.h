#pragma once
#include <QElapsedTimer>
#include <QWidget>
#include <functional>

#include "core/Progress.h"

class QLabel;
class QProgressBar;

namespace kelvaro {

// The small window that long operations show while they run. While it is shown the main window
// is disabled and shows the hourglass; the bar is hidden for operations without a count.
class frmProgress : public QWidget, public ProgressSink {
    Q_OBJECT
public:
    // mainWindow is the window disabled while an operation runs.
    explicit frmProgress(QWidget* mainWindow);

    void Begin(const std::string& text, int count) override;
    void Step(int i) override;
    void End() override;
    void Pump() override;

    void Form_Activate();

protected:
    bool event(QEvent* event) override;

private:
    QProgressBar* prgMain = nullptr;
    QLabel* lblMessage = nullptr;

    QWidget* main_;
    QElapsedTimer sincePaint_;
};

// Hands every report on to a progress window that is made only when an operation first begins:
// a start-up with nothing to read never creates one.
class ProgressOnDemand : public ProgressSink {
public:
    explicit ProgressOnDemand(std::function<frmProgress&()> make) : make_(std::move(make)) {}
    void Begin(const std::string& text, int count) override;
    void Step(int i) override;
    void End() override;
    void Pump() override;

private:
    std::function<frmProgress&()> make_;
    frmProgress* target_ = nullptr;
};

} // namespace kelvaro
