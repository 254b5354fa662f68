#include "host/ui/graphics.h"

#include <map>

#include "host/core/exception.h"

namespace hostfw {

TColor ColorFromIdent(const std::string& ident) {
    static const std::map<std::string, TColor> kColors = {
        {"clBlack", clBlack},           {"clBlue", clBlue},    {"clWindow", clWindow},
        {"clWindowText", clWindowText}, {"clMenu", clMenu},    {"clBtnFace", clBtnFace},
        {"clInfoBk", clInfoBk},         {"clWhite", 0xFFFFFF}, {"clRed", 0x0000FF},
        {"clNavy", 0x800000},           {"clGray", 0x808080},  {"clSilver", 0xC0C0C0},
    };
    auto it = kColors.find(ident);
    if (it != kColors.end())
        return it->second;
    throw Exception("cor desconhecida '" + ident + "'.");
}

}  // namespace hostfw
