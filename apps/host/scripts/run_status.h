#pragma once

#include <optional>
#include <string>

namespace host {

struct ScriptFailure {
    int line = 0;  // 0 when no script line was running
    std::string text;
};

// Where the run is and whether it has failed. The first failure is kept: what follows it
// is usually a consequence.
class RunStatus {
public:
    int Line() const { return line_; }
    void SetLine(int line) { line_ = line; }

    void Fail(const std::string& text) {
        if (!failure_)
            failure_ = ScriptFailure{line_, text};
    }
    bool Failed() const { return failure_.has_value(); }
    const std::optional<ScriptFailure>& Failure() const { return failure_; }

private:
    int line_ = 0;
    std::optional<ScriptFailure> failure_;
};

// "linha N: TEXT" as the user reads a failed script.
std::string DescribeFailure(const ScriptFailure& failure);

}  // namespace host
