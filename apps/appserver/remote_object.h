#pragma once

#include <strings.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "call_context.h"
#include "host/core/variant.h"
#include "host/wire/ole_variant.h"

namespace appserver {

// Names are looked up as automation does: letter case ignored.
struct CaseInsensitiveLess {
    bool operator()(const std::string& a, const std::string& b) const {
        return strcasecmp(a.c_str(), b.c_str()) < 0;
    }
};

// A remote method receives every argument's value; what it leaves in them is sent back for
// the by-reference ones. A refusal is a CallFailure; any other exception is a 500.
using RemoteMethod =
    std::function<hostfw::OleVariant(std::vector<hostfw::Variant>& args, const CallContext&)>;

// A remote object: its methods by name. Objects are shared by every worker thread, so
// methods keep no state of their own between calls.
using RemoteObject = std::map<std::string, RemoteMethod, CaseInsensitiveLess>;

// The remote objects a server offers, by server name ("exp03600.rdmRelConsLanc").
using RemoteObjectRegistry = std::map<std::string, RemoteObject, CaseInsensitiveLess>;

}  // namespace appserver
