#pragma once
#include <string>

namespace kelvaro {

// What Begin's count may be besides a number of items: no count (the bar is hidden), or a count
// not known beforehand (the bar shows that work goes on, and Step gives the items done so far).
inline constexpr int kNoCount = -1;
inline constexpr int kRunningCount = -2;

// How a long operation reports its progress: Begin once (with a count of items, or one of the two
// above), Step with an item's number of the count before the item's work (or with the items done
// so far), End once. Pump lets the windows repaint during a long wait without taking input. Every
// member does nothing by default, so tests and the batch tool pass a plain ProgressSink.
//
// An operation that waits on something which may never come (an emulator that hangs) offers the
// user a way to end the wait: OfferEnd with why (a line shown under the text) and the caption of
// the control that ends it, or with an empty caption to take the offer back; EndRequested says
// whether the user has taken it since the operation began. There is no other way to cancel.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void Begin(const std::string& /*text*/, int /*count*/) {}
    virtual void Step(int /*item*/) {}
    virtual void End() {}
    virtual void Pump() {}
    virtual void OfferEnd(const std::string& /*why*/, const std::string& /*caption*/) {}
    virtual bool EndRequested() { return false; }
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
