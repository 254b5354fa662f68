#include "periodic_chore.h"

namespace appserver {

void PeriodicChore::Start() {
    stopped_ = false;
    Arm();
}

void PeriodicChore::Stop() {
    stopped_ = true;
    timer_.cancel();
}

void PeriodicChore::Arm() {
    timer_.expires_after(period_);
    timer_.async_wait([this](boost::system::error_code error) {
        if (error || stopped_)
            return;
        chore_();
        Arm();
    });
}

}  // namespace appserver
