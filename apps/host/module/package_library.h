#pragma once

#include <filesystem>
#include <string>

namespace host {

// A package loaded into the process (dlopen with RTLD_NOW | RTLD_LOCAL), unloaded when this
// goes away. A package that cannot be loaded raises a clear error naming the file.
class PackageLibrary {
public:
    explicit PackageLibrary(const std::filesystem::path& file);
    ~PackageLibrary();
    PackageLibrary(const PackageLibrary&) = delete;
    PackageLibrary& operator=(const PackageLibrary&) = delete;

    // The address of an exported symbol; nullptr when the package has none of that name.
    void* Symbol(const std::string& name) const;

private:
    void* handle_;
};

}  // namespace host
