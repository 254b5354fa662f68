#pragma once

namespace host {

// The status boxes of the issue-date variant and the letter each stands for.
struct StatusBox {
    char letter;
    const char* name;
};

inline constexpr StatusBox kStatusBoxes[] = {
    {'P', "ckbPend"}, {'E', "ckbEmitida"}, {'A', "ckbAprovada"}, {'C', "ckbCancel"}};

}  // namespace host
