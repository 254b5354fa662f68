#include <fstream>

#include "host/core/exception.h"
#include "host/report/csv_report.h"
#include "host/report/report_commands.h"
#include "host/report/staged_file.h"

namespace hostfw {

bool ExportReportCsv(const ReportRequest& request, const std::filesystem::path& file) {
    const std::filesystem::path folder = file.parent_path().empty() ? "." : file.parent_path();
    StagedFile staged(folder);
    {
        std::ofstream out(staged.Path(), std::ios::binary | std::ios::trunc);
        if (!out)
            throw Exception("Não foi possível gravar o arquivo '" + file.string() + "'.");
        if (!WriteCsvReport(request, out))
            return false;
    }
    staged.Sync();
    staged.PublishReplacing(file);
    return true;
}

}  // namespace hostfw
