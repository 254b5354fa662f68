#include "standby_lag.h"

#include "host/data/standby_lag.h"

namespace appserver {

StandbyLag::StandbyLag(std::string standby, std::chrono::seconds bound)
    : usable_(std::move(standby),
              [bound](hostfw::Engine& engine) { return hostfw::StandbyWithinLag(engine, bound); }) {
}

}  // namespace appserver
