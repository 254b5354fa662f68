#include "host/data/standby_lag.h"

namespace hostfw {

bool StandbyWithinLag(Engine& standby, std::chrono::seconds bound) {
    TParams params;
    params.CreateParam("LIMITE").SetAsVariant(Variant(std::int64_t{bound.count()}));
    const auto rows = standby.Query(
        "SELECT CASE WHEN now() - pg_last_xact_replay_timestamp() <= "
        "make_interval(secs => CAST(:LIMITE AS integer)) THEN 1 ELSE 0 END",
        params);
    return rows->Next() && rows->Value(0).AsInteger() == 1;
}

}  // namespace hostfw
