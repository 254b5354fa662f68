#pragma once

// Internal to the framework library.

#include <string>
#include <string_view>

namespace hostfw::wire {

// Writes JSON straight into a text, for the bulk of a data packet, where building a document
// first would cost more than the rows themselves. The output is what the JSON library would
// write for the same values.

// A JSON string; raises an Exception for text that is not UTF-8, which JSON cannot carry.
void AppendJsonString(std::string& out, std::string_view text);
// A finite number, so that it reads back exactly; raises for NaN and the infinities.
void AppendJsonNumber(std::string& out, double value);

}  // namespace hostfw::wire
