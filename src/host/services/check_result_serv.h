#pragma once

#include "host/data/data_packet.h"
#include "host/wire/ole_variant.h"
#include "hostfw_export.h"

namespace hostfw {

// The data packet of a successful reply. An error reply raises the server's text; any other
// reply (a scalar, an empty variant) raises a clear text, so it can never load as data.
// The flag and the number complete the host's call signature and do not change the outcome.
HOSTFW_EXPORT DataPacket CheckResultServ(const OleVariant& reply, bool flag, int number);
// The same for a reply that is done with: its packet is moved, not copied.
HOSTFW_EXPORT DataPacket CheckResultServ(OleVariant&& reply, bool flag, int number);

}  // namespace hostfw
