#include "host/core/scratch_cleanup.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/limits.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <csignal>
#include <cstring>

namespace hostfw {
namespace {

// The handler may only read what it finds here: fixed storage, no allocation, states an atomic
// load can tell apart.
enum SlotState : int { kFree, kFilling, kLive };

struct Slot {
    std::atomic<int> state{kFree};
    bool folder = false;
    char path[PATH_MAX] = {};
};

// A report run holds a handful at once; the spare ones serve threads of the desktop.
std::array<Slot, 32> slots;

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Removes the files a scratch folder holds, then the folder, with calls a signal handler may
// make (getdents64 through syscall, unlinkat, rmdir).
void RemoveFolder(const char* path) {
    const int folder = open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        alignas(8) char entries[4096];
        long size = 0;
        while ((size = syscall(SYS_getdents64, folder, entries, sizeof entries)) > 0) {
            for (long at = 0; at < size;) {
                const auto* entry = reinterpret_cast<const dirent64*>(entries + at);
                const bool dots =
                    std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0;
                if (!dots)
                    unlinkat(folder, entry->d_name, 0);
                at += entry->d_reclen;
            }
        }
        close(folder);
    }
    rmdir(path);
}

void OnTermination(int signal) {
    const int savedErrno = errno;
    for (Slot& slot : slots) {
        if (slot.state.load() != kLive)
            continue;
        if (slot.folder)
            RemoveFolder(slot.path);
        else
            unlink(slot.path);
    }
    errno = savedErrno;
    // Ends the process as the signal would have: it is delivered again once the handler returns.
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    sigaction(signal, &standard, nullptr);
    raise(signal);
}

}  // namespace

ScratchRegistration::ScratchRegistration(const std::filesystem::path& path, Kind kind) {
    const std::string& text = path.native();
    if (text.size() >= PATH_MAX)
        return;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        int expected = kFree;
        if (!slots[i].state.compare_exchange_strong(expected, kFilling))
            continue;
        slots[i].folder = kind == Kind::Folder;
        std::memcpy(slots[i].path, text.c_str(), text.size() + 1);
        slots[i].state.store(kLive);
        slot_ = static_cast<int>(i);
        return;
    }
}

ScratchRegistration::~ScratchRegistration() {
    if (slot_ >= 0)
        slots[static_cast<std::size_t>(slot_)].state.store(kFree);
}

void RemoveScratchOnTermination() {
    static_assert(std::atomic<int>::is_always_lock_free, "the handler reads the states");
    for (const int signal : kSignals) {
        struct sigaction current {};
        if (sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL)
            continue;
        struct sigaction handler {};
        handler.sa_handler = OnTermination;
        sigemptyset(&handler.sa_mask);
        // While one signal cleans up, the others wait, so the table is walked once.
        for (const int other : kSignals)
            sigaddset(&handler.sa_mask, other);
        sigaction(signal, &handler, nullptr);
    }
}

}  // namespace hostfw
