#pragma once

#include <string>
#include <vector>

#include "host/ui/host_ui.h"
#include "hostfw_export.h"

namespace hostfw {

class TDataSet;

// The rows of a dataset as a picker shows them: the visible fields with their labels and
// widths, each cell the field's display text asked while its row is the current row. The
// key field's values (blanks trimmed) land in keys. The current row is put back afterwards.
HOSTFW_EXPORT RowGrid BuildRowGrid(TDataSet& dataSet, const std::string& keyField,
                                   std::vector<std::string>& keys);

}  // namespace hostfw
