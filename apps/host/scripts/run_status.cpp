#include "scripts/run_status.h"

namespace host {

std::string DescribeFailure(const ScriptFailure& failure) {
    if (failure.line <= 0)
        return failure.text;
    return "linha " + std::to_string(failure.line) + ": " + failure.text;
}

}  // namespace host
