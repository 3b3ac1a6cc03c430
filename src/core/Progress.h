#pragma once
#include <string>

namespace kelvaro {

// How a long operation reports its progress: Begin once (count < 0 means there is no count and
// the bar is hidden), Step for item i of the count before the item's work, End once. Pump lets
// the windows repaint during a long wait without taking input. Every member does nothing by
// default, so tests and the batch tool pass a plain ProgressSink.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void Begin(const std::string& /*text*/, int /*count*/) {}
    virtual void Step(int /*i*/) {}
    virtual void End() {}
    virtual void Pump() {}
};

} // namespace kelvaro

namespace kelvaro {

// Begins a counted (or uncounted) operation and ends it however the scope is left, so that the
// main window never stays disabled.
class ProgressScope {
public:
    ProgressScope(ProgressSink& progress, const std::string& text, int count) : progress_(progress) {
        progress_.Begin(text, count);
    }
    ~ProgressScope() { progress_.End(); }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

private:
    ProgressSink& progress_;
};

} // namespace kelvaro
