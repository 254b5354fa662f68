#pragma once

#include <optional>
#include <string>

namespace host {

// Why no window can be opened here (no display, or one that does not answer), in the user's
// words with how to run without one; nothing when a window can be opened. An explicit
// QT_QPA_PLATFORM (offscreen, say) is taken as the user's choice.
std::optional<std::string> MissingDisplay();

}  // namespace host
