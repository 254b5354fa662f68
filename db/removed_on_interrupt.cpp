#include "db/removed_on_interrupt.h"

#include <unistd.h>

#include <csignal>
#include <cstring>
#include <string>

namespace demodb {
namespace {

// A signal handler may only touch what is already in place: the path, copied in beforehand.
char pathForSignals[4096];

void RemoveAndStop(int signal) {
    unlink(pathForSignals);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

}  // namespace

RemovedOnInterrupt::RemovedOnInterrupt(const std::filesystem::path& file) {
    const std::string text = file.string();
    if (text.size() >= sizeof pathForSignals)
        return;
    std::memcpy(pathForSignals, text.c_str(), text.size() + 1);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signal, RemoveAndStop);
}

RemovedOnInterrupt::~RemovedOnInterrupt() {
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signal, SIG_DFL);
    pathForSignals[0] = '\0';
}

}  // namespace demodb
