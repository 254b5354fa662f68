#pragma once

#include <string>
#include <vector>

#include "scripts/script_token.h"

namespace host {

// Values are written as a script writes them (hostfw::CallArgumentText): "text" (quoted,
// escaped), date(YYYY-MM-DD) or date(YYYY-MM-DD hh:mm:ss), a number, true/false, null.

// The expected value of an expectation line in that form. The tokens are the rest of the
// line: one quoted text, or words (a date with a time of day is two words). The words
// date(today) stand for the current date.
std::string ExpectedValueText(const std::vector<Token>& tokens);

// Whether a value written as a script writes it is the expected one. Texts compare by
// their content, so two spellings of the same escape match.
bool SameScriptValue(const std::string& expected, const std::string& actual);

}  // namespace host
