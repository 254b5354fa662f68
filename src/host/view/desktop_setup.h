#pragma once

#include <string>

#include "hostfw_view_export.h"

namespace hostfw::view {

// The language of Qt's own texts (buttons of the standard dialogs, the print dialog, the file
// dialogs) when nobody asks for another: the product speaks Brazilian Portuguese.
inline constexpr const char* kDefaultLanguage = "pt_BR";

// Once per application, after the QApplication exists: the style that always shows the focus,
// Qt's own texts and number formats in `language` ("pt_BR"; "en" keeps Qt's English), and the
// accessible descriptions of the view's widgets. False when no catalogue of Qt's texts was
// found for the language (its package is missing): Qt then speaks English.
HOSTFW_VIEW_EXPORT bool SetUpDesktop(const std::string& language = kDefaultLanguage);

}  // namespace hostfw::view
