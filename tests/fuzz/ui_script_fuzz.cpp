// The lines of a UI script as the host reads them: each is split into words and texts, or
// refused with a clear message, and a text quoted back reads as the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "scripts/script_error.h"
#include "scripts/script_token.h"
#include "scripts/script_value.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream script(std::string(reinterpret_cast<const char*>(data), size));
    for (std::string line; std::getline(script, line);) {
        try {
            const std::vector<host::Token> tokens = host::TokenizeScriptLine(line);
            for (const host::Token& token : tokens) {
                const std::vector<host::Token> quoted =
                    host::TokenizeScriptLine(host::QuoteScriptText(token.value));
                if (quoted.size() != 1 || quoted.front().value != token.value)
                    std::abort();
            }
            if (!tokens.empty())
                static_cast<void>(host::ExpectedValueText(tokens));
        } catch (const host::ScriptError&) {
        }
    }
    return 0;
}
