#pragma once

#include <filesystem>
#include <string_view>

#include "hostfw_export.h"

namespace hostfw {

// How a kind of scratch is named in its folder: prefix + "<process>-<random>" + suffix, or, as
// older versions named it, prefix + "<random>" + suffix; the random part is letters and digits.
struct ScratchNames {
    std::string_view prefix;
    std::string_view suffix;
    bool folders = false;  // the scratch is a folder, removed with what it holds
};

// Removes from `folder` the scratch of processes that are gone (killed before they could clean
// up), and nothing else: names of the pattern whose process no longer runs, or, for names
// without a process, untouched for an hour. Never follows a symbolic link. Returns how many.
HOSTFW_EXPORT int RemoveAbandonedScratch(const std::filesystem::path& folder,
                                         const ScratchNames& names);

}  // namespace hostfw
