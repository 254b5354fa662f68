#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/data/fb_client.h"

namespace hostfw {

// A statement Firebird has prepared on an attachment, with what the server described of it.
struct FbPrepared {
    fb::Ref<Firebird::IStatement> statement;
    unsigned type = 0;       // isc_info_sql_stmt_select, ..._insert, ..._ddl, ...
    bool hasCursor = false;  // its rows are read through a cursor
    fb::Ref<Firebird::IMessageMetadata> input;   // one entry per "?"
    fb::Ref<Firebird::IMessageMetadata> output;  // the columns, or what RETURNING gives
    std::vector<std::string> names;              // the named parameter each "?" stands for

    ~FbPrepared();
};
using FbPreparedHandle = std::unique_ptr<FbPrepared>;

}  // namespace hostfw
