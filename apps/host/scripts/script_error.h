#pragma once

#include <stdexcept>
#include <string>

namespace host {

// A script line that cannot run as written, or an expectation that does not hold. The
// message names what went wrong; the interpreter adds the line number.
class ScriptError : public std::runtime_error {
public:
    explicit ScriptError(const std::string& message) : std::runtime_error(message) {}
};

// An expectation that does not hold: what the line asked for and what the form showed,
// both written as script values.
class ExpectationFailed : public ScriptError {
public:
    ExpectationFailed(const std::string& expected, const std::string& actual)
        : ScriptError("esperado " + expected + ", obtido " + actual) {}
};

}  // namespace host
