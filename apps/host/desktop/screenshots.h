#pragma once

#include <filesystem>
#include <string>

class QWidget;

namespace host {

// PNG pictures of windows, numbered in the order they are taken and named after the window:
// "03-seletor.png".
class Screenshots {
public:
    // An empty folder takes none.
    explicit Screenshots(std::filesystem::path folder);
    bool Enabled() const { return !folder_.empty(); }
    void Take(QWidget& window);

private:
    std::filesystem::path folder_;
    int count_ = 0;
};

}  // namespace host
