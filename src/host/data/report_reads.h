#pragma once

#include "host/core/exception.h"
#include "host/data/engine.h"
#include "host/data/shared_database.h"

namespace hostfw {

// Runs a report's reading, `read(ReportConnection)`, where OpenForReport says. A failure that
// may be the connection's rather than the report's is never shown: one on the standby (a
// statement cancelled "due to conflict with recovery", the standby gone) or on a primary
// connection that broke (the database restarted, or failed over to its standby) runs the
// reading once more on the primary, on a new connection if the old one broke. A report only
// reads, so reading it twice can do no harm. A stop asked for, or a run out of time, is not
// run again.
template <class Read>
auto ReadForReport(SharedDatabase& database, Read&& read) {
    const ReportConnection first = database.OpenForReport();
    try {
        return read(first);
    } catch (const EAbort&) {
        throw;
    } catch (const QueryStopped&) {
        throw;
    } catch (const QueryTimeout&) {
        throw;
    } catch (const Exception&) {
        if (!first.onStandby && !first.engine->IsBroken())
            throw;
    }
    return read(ReportConnection{database.Open(), false});
}

}  // namespace hostfw
