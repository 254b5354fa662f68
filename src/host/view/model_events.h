#pragma once

#include <functional>

#include "hostfw_view_export.h"

namespace hostfw::view {

// Runs what the user did on a widget as the toolkit's user action, then lets every window
// show the outcome: the model leads and the widgets only follow it.
HOSTFW_VIEW_EXPORT void RunUserAction(const std::function<void()>& action);
// Every window re-reads the model; modal loops that ended return.
HOSTFW_VIEW_EXPORT void AfterModelChange();

// What runs after every change: windows register here while they live.
class HOSTFW_VIEW_EXPORT ModelFollower {
public:
    ModelFollower();
    virtual ~ModelFollower();
    ModelFollower(const ModelFollower&) = delete;
    ModelFollower& operator=(const ModelFollower&) = delete;
    virtual void ModelChanged() = 0;
};

}  // namespace hostfw::view
