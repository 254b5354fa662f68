#pragma once

#include <string_view>

namespace appserver {

// Content negotiation as docs/protocol.md describes it; JSON is the only encoding so far.
// True when a request body of this Content-Type is JSON; an absent header counts as JSON.
bool IsJsonContentType(std::string_view contentType);
// True when an Accept header admits a JSON reply: absent, "*/*", "application/*" or
// "application/json", unless given with q=0.
bool AcceptsJson(std::string_view accept);

}  // namespace appserver
