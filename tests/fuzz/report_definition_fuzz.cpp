// A report definition file as anyone with the report folder may write it: refused with a
// clear Exception or loaded, never a crash.
#include <cstddef>
#include <cstdint>
#include <string>

#include "host/core/exception.h"
#include "host/report/report_definition_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        hostfw::ParseReportDefinition(std::string(reinterpret_cast<const char*>(data), size),
                                      "EXP036-001.json");
    } catch (const hostfw::Exception&) {
    }
    return 0;
}
