#pragma once

#include <functional>
#include <optional>
#include <stop_token>

#include "host/data/engine.h"
#include "host/data/fb_client.h"

namespace hostfw::fb {

// Watches one call into an attachment while it runs: at the deadline a timer thread asks
// Firebird to cancel the attachment's running operation (as fb_cancel_operation does), and
// asks again now and then until the call returns, since a request that arrives before the
// server has started the operation finds nothing to cancel. The cancelled call then fails
// with "operation was cancelled" and the attachment stays usable. A server may queue the
// request behind the very operation it should cancel (when both reach it at once): a call still
// running kAbortAfter past the deadline has its link to the server cut (abortable), which ends
// it and leaves the connection broken. A stop asked through the call's stop token makes it due
// at once. Without a deadline or a token that can stop, nothing is watched.
class DeadlineWatch {
public:
    static constexpr std::chrono::seconds kAbortAfter{5};

    DeadlineWatch(Firebird::IAttachment* attachment, QueryDeadline deadline,
                  const std::stop_token& stop, bool abortable);
    ~DeadlineWatch() { Finish(); }
    DeadlineWatch(const DeadlineWatch&) = delete;
    DeadlineWatch& operator=(const DeadlineWatch&) = delete;

    // Stops watching, once the call has returned; true when a cancel was asked for it. No
    // cancel is under way afterwards, but one that reached the attachment just as the call
    // ended may still be pending there, for its next call (FbConnection clears it).
    bool Finish();

    struct Entry;

private:
    Entry* entry_ = nullptr;
    // Gone before the entry is: a stop never reaches an entry removed.
    std::optional<std::stop_callback<std::function<void()>>> stopped_;
    bool fired_ = false;
};

}  // namespace hostfw::fb
