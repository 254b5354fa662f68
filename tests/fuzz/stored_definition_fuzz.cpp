// A stored form definition as the package embeds it: any text may be refused with a clear
// Exception naming the place, none may crash the parser.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "host/core/exception.h"
#include "host/definition/dfm_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        hostfw::dfm::ParseDfm(std::string_view(reinterpret_cast<const char*>(data), size),
                              "fuzz.dfm");
    } catch (const hostfw::Exception&) {
    }
    return 0;
}
