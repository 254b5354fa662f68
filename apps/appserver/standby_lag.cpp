#include "standby_lag.h"

#include "host/core/variant.h"

namespace appserver {

StandbyLag::StandbyLag(std::string standby, std::chrono::seconds bound)
    : usable_(std::move(standby), [bound](hostfw::Engine& engine) {
          hostfw::TParams params;
          params.CreateParam("LIMITE").SetAsVariant(hostfw::Variant(std::int64_t{bound.count()}));
          const auto rows = engine.Query(
              "SELECT CASE WHEN now() - pg_last_xact_replay_timestamp() <= "
              "make_interval(secs => CAST(:LIMITE AS integer)) THEN 1 ELSE 0 END",
              params);
          return rows->Next() && rows->Value(0).AsInteger() == 1;
      }) {}

}  // namespace appserver
