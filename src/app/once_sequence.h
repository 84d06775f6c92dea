// A fixed sequence of named steps that runs once: the main window's start-up runs its steps
// in their fixed order, each relying on the ones before it; its shut-down, reached by several
// roads (close button, system close, removal of the drive the program runs from), runs its
// steps in their order the first time and does nothing afterwards.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace quorva {

class OnceSequence {
  public:
    using Step = std::function<void()>;

    void Add(std::string name, Step step) { steps_.emplace_back(std::move(name), std::move(step)); }

    // Runs every step in order; false (and nothing runs) when it has run already. A step
    // that is started while the sequence runs (a nested road) finds it running and returns.
    bool Run() {
        if (started_) return false;
        started_ = true;
        for (auto& [name, step] : steps_) {
            trace_.push_back(name);
            if (step) step();
        }
        return true;
    }

    bool HasRun() const { return started_; }
    // The names of the steps that ran, in the order they ran.
    const std::vector<std::string>& Trace() const { return trace_; }
    std::vector<std::string> StepNames() const {
        std::vector<std::string> names;
        for (const auto& step : steps_)
            names.push_back(step.first);
        return names;
    }

  private:
    std::vector<std::pair<std::string, Step>> steps_;
    std::vector<std::string> trace_;
    bool started_ = false;
};

}  // namespace quorva
