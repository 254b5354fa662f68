#pragma once

#include <string>
#include <string_view>

namespace hostfw::view {

// Text as a filter compares it: letters in lower case and without their accents, so "joao"
// finds "João" and "CAFE" finds "Café". Works in place on UTF-8; characters beyond Latin-1 stay
// as they are.
void FoldForSearch(std::string& text);

// Whether `folded` (already folded) holds `needle` (already folded).
inline bool HoldsFolded(std::string_view folded, std::string_view needle) {
    return folded.find(needle) != std::string_view::npos;
}

}  // namespace hostfw::view
