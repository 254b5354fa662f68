#pragma once

#include "host/data/data_packet.h"
#include "remote_object.h"

namespace appserver {

inline constexpr const char* kRdmRelConsLancName = "exp03600.rdmRelConsLanc";

// The remote data module of the report EXP036: GetNota returns the invoices of a branch that
// match the form's choices, as a packet of six string fields, and leaves its by-reference
// arguments as they came.
RemoteObject MakeRdmRelConsLanc();

// GetNota's six fields without a row.
hostfw::DataPacket EmptyNotaPacket();

}  // namespace appserver
