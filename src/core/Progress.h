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
