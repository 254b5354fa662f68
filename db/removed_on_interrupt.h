#pragma once

#include <filesystem>

namespace demodb {

// While it lives, SIGINT, SIGTERM and SIGHUP remove the file a run is writing and then end the
// program as the signal would, so that an interrupted run leaves nothing half-built behind.
// One at a time.
class RemovedOnInterrupt {
public:
    explicit RemovedOnInterrupt(const std::filesystem::path& file);
    ~RemovedOnInterrupt();
    RemovedOnInterrupt(const RemovedOnInterrupt&) = delete;
    RemovedOnInterrupt& operator=(const RemovedOnInterrupt&) = delete;
};

}  // namespace demodb
