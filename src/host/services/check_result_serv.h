#pragma once

#include <vector>

#include "host/data/data_packet.h"
#include "host/net/ole_variant.h"
#include "hostfw_export.h"

namespace hostfw {

// The data packet of a successful reply. An error reply raises the server's text; any other
// reply (a scalar, an empty variant) raises a clear text, so it can never load as data.
// The flag and the number complete the host's call signature and do not change the outcome.
HOSTFW_EXPORT DataPacket CheckResultServ(const OleVariant& reply, bool flag, int number);

// Raises a clear text naming the first expected field the packet lacks, or holds with another
// type; letter case of names is ignored. Extra fields are allowed.
HOSTFW_EXPORT void requireFields(const DataPacket& packet, const std::vector<FieldDef>& expected);

}  // namespace hostfw
