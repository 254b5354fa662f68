#pragma once

#include <string>

namespace Cli_exp03600 {

// A restriction that is either every row or a picked set: with "Todos" the flag is "T" and
// the list empty, otherwise the flag is empty and the list is the selection. Never null.
struct FlagListPair {
    std::string flag;
    std::string list;
};

inline FlagListPair MakeFlagListPair(bool todos, const std::string& list) {
    return todos ? FlagListPair{"T", ""} : FlagListPair{"", list};
}

}  // namespace Cli_exp03600
