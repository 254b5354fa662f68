#include "host/report/default_printer.h"

#include <cups/cups.h>

namespace hostfw {

std::optional<std::string> DefaultPrinter() {
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr);
    if (dest == nullptr)
        return std::nullopt;
    std::string name = dest->name != nullptr ? dest->name : "";
    cupsFreeDests(1, dest);
    if (name.empty())
        return std::nullopt;
    return name;
}

}  // namespace hostfw
