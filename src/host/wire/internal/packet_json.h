#pragma once

// Internal to the framework library.

#include <string>

#include "host/data/data_packet.h"
#include "host/wire/internal/json_access.h"
#include "host/wire/internal/reply_reader.h"

namespace hostfw::wire {

// {"type":"datapacket","fields":[...],"rows":[[...],...]}: each cell is a plain JSON value of
// its field's type, or null.
inline constexpr const char* kDataPacketType = "datapacket";

// Written straight into the text: the rows are most of a large reply.
void AppendPacketJson(std::string& out, const DataPacket& packet);
// Takes the texts out of the document rather than copying them. With `rows`, the rows are
// those, read beside the document (ReadReplyInOnePass), and the document's are not looked at.
DataPacket PacketFromJson(Json& json, const std::string& where, RawRows* rows = nullptr);

}  // namespace hostfw::wire
