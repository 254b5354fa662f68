#include "small_get_nota.h"

#include "day_ranges.h"
#include "host/data/engine.h"
#include "support/raw_http.h"

namespace benchsupport {

std::string SmallGetNotaRequest(const std::string& databasePath, const std::string& branch,
                                long long rows) {
    const auto engine = hostfw::OpenDatabase(databasePath);
    const DayRange range = DayRangesHolding({rows}, branch, *engine).front();
    return servertest::HttpRequest(
        "POST", "/exp03600.rdmRelConsLanc/GetNota",
        servertest::GetNotaBody(branch, range.first.value, range.last.value));
}

}  // namespace benchsupport
