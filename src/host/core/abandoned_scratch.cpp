#include "host/core/abandoned_scratch.h"

#include <signal.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <string>

namespace hostfw {
namespace {

constexpr auto kAbandonedAfter = std::chrono::hours(1);

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
}

bool AllLettersOrDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) != 0;
    });
}

bool ProcessIsGone(std::string_view digits) {
    if (digits.size() > 9)
        return false;
    const pid_t pid = static_cast<pid_t>(std::stol(std::string(digits)));
    return pid > 0 && kill(pid, 0) != 0 && errno == ESRCH;
}

// Whether a folder entry is scratch nobody will use any more.
bool IsAbandoned(const std::filesystem::directory_entry& entry, const ScratchNames& names) {
    const std::string name = entry.path().filename().string();
    if (name.size() <= names.prefix.size() + names.suffix.size() ||
        !name.starts_with(names.prefix) || !name.ends_with(names.suffix))
        return false;
    std::error_code error;
    const bool kindMatches =
        names.folders ? entry.is_directory(error) : entry.is_regular_file(error);
    if (!kindMatches || entry.is_symlink(error))
        return false;
    const std::string_view middle = std::string_view(name).substr(
        names.prefix.size(), name.size() - names.prefix.size() - names.suffix.size());
    const std::size_t dash = middle.find('-');
    if (dash != std::string_view::npos) {
        return AllDigits(middle.substr(0, dash)) && AllLettersOrDigits(middle.substr(dash + 1)) &&
               ProcessIsGone(middle.substr(0, dash));
    }
    const auto modified = entry.last_write_time(error);
    return !error && AllLettersOrDigits(middle) &&
           std::filesystem::file_time_type::clock::now() - modified > kAbandonedAfter;
}

}  // namespace

int RemoveAbandonedScratch(const std::filesystem::path& folder, const ScratchNames& names) {
    int removed = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (!IsAbandoned(entry, names))
            continue;
        // remove_all takes a link inside the folder away without following it.
        if (std::filesystem::remove_all(entry.path(), error) > 0 && !error)
            ++removed;
    }
    return removed;
}

}  // namespace hostfw
