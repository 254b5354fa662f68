#include "desktop/screenshots.h"

#include <QPixmap>
#include <QWidget>
#include <cstdio>

#include "host/core/exception.h"

namespace host {

Screenshots::Screenshots(std::filesystem::path folder) : folder_(std::move(folder)) {
    if (folder_.empty())
        return;
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    if (error)
        throw hostfw::Exception("Não foi possível criar a pasta '" + folder_.string() + "'.");
}

void Screenshots::Take(QWidget& window) {
    if (folder_.empty() || !window.isVisible())
        return;
    char number[16];
    std::snprintf(number, sizeof number, "%02d-", ++count_);
    const std::string name =
        window.objectName().isEmpty() ? std::string("janela") : window.objectName().toStdString();
    const std::filesystem::path file = folder_ / (number + name + ".png");
    if (!window.grab().save(QString::fromStdString(file.string()), "PNG"))
        throw hostfw::Exception("Não foi possível gravar '" + file.string() + "'.");
}

}  // namespace host
