#include "report_choices.h"

#include <utility>

#include "host/core/date_time.h"
#include "host/report/exist_param.h"

namespace benchsupport {

void AssignWholeReport(hostfw::TParams& params, const std::string& branch) {
    using hostfw::EncodeDate;
    using hostfw::Variant;
    const std::pair<const char*, Variant> values[] = {{"P_CDFILIAL", branch},
                                                      {"P_TCDCLIENTE", "T"},
                                                      {"P_CDCLIENTE", ""},
                                                      {"P_DATAINI", EncodeDate(2025, 1, 1)},
                                                      {"P_DATAFIM", EncodeDate(2026, 12, 31)},
                                                      {"P_TFILIDEST", "T"},
                                                      {"P_FILIDEST", ""},
                                                      {"P_TNOTA", "T"},
                                                      {"P_NOTA", ""},
                                                      {"P_STATUS", "PEAC"}};
    for (const auto& [name, value] : values) {
        if (hostfw::ExistParam(params, name))
            params.ParamByName(name).SetAsVariant(value);
    }
}

}  // namespace benchsupport
