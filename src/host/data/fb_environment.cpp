#include "host/data/fb_environment.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace hostfw::fb {
namespace {

namespace fs = std::filesystem;

// The first setting of a name wins in Firebird's configuration files, so the mode comes before
// the system's own file.
std::string ConfigurationText(const fs::path& systemFile, const char* ownSettings) {
    std::string text =
        "# Written by the EXP036 programs for their own use of Firebird's client library.\n";
    text += ownSettings;
    std::error_code ignored;
    if (fs::exists(systemFile, ignored))
        text += "include " + systemFile.string() + "\n";
    return text;
}

// A folder only this user can reach, or an empty path when none can be had.
fs::path PrivateFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const fs::path base = runtime != nullptr && *runtime == '/' ? runtime : "/tmp";
    const fs::path folder = base / ("exp036-firebird-" + std::to_string(geteuid()));
    ::mkdir(folder.c_str(), 0700);
    struct stat status {};
    // Anyone can create a name under /tmp first: use it only if it is ours and closed to others.
    if (::lstat(folder.c_str(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        status.st_uid != geteuid() || (status.st_mode & 077) != 0) {
        return {};
    }
    return folder;
}

// Writes under a temporary name and renames, so a process starting at the same moment reads
// either the old file or the whole new one.
bool WriteWhole(const fs::path& file, const std::string& text) {
    const fs::path staged = file.string() + "." + std::to_string(getpid());
    {
        std::ofstream out(staged, std::ios::trunc);
        out << text;
        if (!out.flush())
            return false;
    }
    std::error_code error;
    fs::rename(staged, file, error);
    return !error;
}

void WriteConfiguration() {
    if (std::getenv("FIREBIRD") != nullptr)
        return;
    const fs::path folder = PrivateFolder();
    if (folder.empty())
        return;
    const fs::path system = EXP036_FIREBIRD_CONF_DIR;
    const bool written =
        WriteWhole(folder / "firebird.conf",
                   ConfigurationText(system / "firebird.conf", "ServerMode = SuperClassic\n")) &&
        WriteWhole(folder / "databases.conf", ConfigurationText(system / "databases.conf", "")) &&
        WriteWhole(folder / "plugins.conf", ConfigurationText(system / "plugins.conf", ""));
    // Without its files the folder would hide the system's settings: keep Firebird's default.
    if (written)
        ::setenv("FIREBIRD", folder.c_str(), 0);
}

}  // namespace

KeptSignalHandling::KeptSignalHandling() {
    ::sigaction(SIGINT, nullptr, &interrupt_);
    ::sigaction(SIGTERM, nullptr, &terminate_);
}

KeptSignalHandling::~KeptSignalHandling() {
    ::sigaction(SIGINT, &interrupt_, nullptr);
    ::sigaction(SIGTERM, &terminate_, nullptr);
}

void PrepareClientEnvironment() {
    static const bool prepared = [] {
        WriteConfiguration();
        return true;
    }();
    (void)prepared;
}

}  // namespace hostfw::fb
