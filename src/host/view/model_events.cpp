#include "host/view/model_events.h"

#include <algorithm>
#include <vector>

namespace hostfw::view {
namespace {

std::vector<ModelFollower*>& Followers() {
    static std::vector<ModelFollower*> list;
    return list;
}

}  // namespace

ModelFollower::ModelFollower() {
    Followers().push_back(this);
}

ModelFollower::~ModelFollower() {
    auto& list = Followers();
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

void RunUserAction(const std::function<void()>& action) {
    action();
    AfterModelChange();
}

void AfterModelChange() {
    // A follower may end (a window closed) while the others catch up: work on a copy and
    // skip those already gone.
    const std::vector<ModelFollower*> snapshot = Followers();
    for (ModelFollower* follower : snapshot) {
        const auto& live = Followers();
        if (std::find(live.begin(), live.end(), follower) != live.end())
            follower->ModelChanged();
    }
}

}  // namespace hostfw::view
