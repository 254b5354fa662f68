#include "host/core/whole_file.h"

#include "host/core/output_target.h"

namespace hostfw {

bool WriteFileWhole(const std::filesystem::path& file,
                    const std::function<bool(StagedFile& staged)>& write) {
    // Refused before anything is written, and again when the file is put in place.
    CheckOutputTarget(file);
    StagedFile staged(file.parent_path().empty() ? "." : file.parent_path(), file);
    if (!write(staged))
        return false;
    staged.Sync();
    staged.PublishReplacing(file);
    return true;
}

}  // namespace hostfw
