#pragma once

#include <string>
#include <vector>

#include "host/core/variant.h"

namespace hostfw {

// A client-dataset data packet: field definitions and rows, loaded whole by a client dataset
// and carried whole over the application-server link.
struct FieldDef {
    std::string name;
    std::string type = "string";  // "string", "integer", "float", "date"
    int size = 0;                 // maximum length in characters for strings
    bool fixedLength = false;
    friend bool operator==(const FieldDef&, const FieldDef&) = default;
};

struct DataPacket {
    std::vector<FieldDef> fields;
    std::vector<std::vector<Variant>> rows;
    friend bool operator==(const DataPacket&, const DataPacket&) = default;
};

}  // namespace hostfw
