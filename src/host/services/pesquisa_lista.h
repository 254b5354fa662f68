#pragma once

#include <string>
#include <vector>

#include "hostfw_export.h"

namespace hostfw {

class TDataSource;

// The selection list format: "" when nothing is picked, otherwise every key led and
// followed by a comma: ",0001,0007,".
HOSTFW_EXPORT std::vector<std::string> SelectionListKeys(const std::string& list);
HOSTFW_EXPORT std::string MakeSelectionList(const std::vector<std::string>& keys);

// Multi-select picker over the rows of the data source's dataset. The title is the text
// before "|", the rest a hint shown with it; the rows of the current list start marked.
// Confirming stores the marked rows' keys, in the dataset's order, into list ("" when none
// is marked); cancelling leaves list as it was. A key holding a comma cannot be listed:
// the user is told so and nothing changes.
HOSTFW_EXPORT void PesquisaLista(TDataSource* dataSource, const std::string& keyField,
                                 const std::string& title, bool flag, std::string& list);

}  // namespace hostfw
