#pragma once

#include <cstdint>
#include <string>

#include "hostfw_export.h"

namespace hostfw {

using TColor = std::int32_t;

// The system colours the stored definitions name, as the host toolkit numbers them.
constexpr TColor clBlack = 0x000000;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clWindow = static_cast<TColor>(0xFF000005);
constexpr TColor clWindowText = static_cast<TColor>(0xFF000008);
constexpr TColor clMenu = static_cast<TColor>(0xFF000004);
constexpr TColor clBtnFace = static_cast<TColor>(0xFF00000F);
constexpr TColor clInfoBk = static_cast<TColor>(0xFF000018);

// clXxx name or a number; raises a clear error for an unknown name.
HOSTFW_EXPORT TColor ColorFromIdent(const std::string& ident);

struct TFont {
    std::string name = "MS Sans Serif";
    int height = -11;  // negative: character height in pixels
    bool bold = false;
    TColor color = clWindowText;
    int charset = 1;
};

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

}  // namespace hostfw
