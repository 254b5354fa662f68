#include "host/report/whole_file.h"

#include "host/core/staged_file.h"

namespace hostfw {

bool WriteFileWhole(const std::filesystem::path& file,
                    const std::function<bool(const std::filesystem::path&)>& write) {
    const std::filesystem::path folder = file.parent_path().empty() ? "." : file.parent_path();
    StagedFile staged(folder);
    if (!write(staged.Path()))
        return false;
    staged.Sync();
    staged.PublishReplacing(file);
    return true;
}

}  // namespace hostfw
