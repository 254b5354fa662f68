// One timed run of report EXP036 (the issue-date variant, every client, destination and
// invoice, the four statuses) over a demo database: to PDF, to CSV, to XLSX, or the report's own
// query read straight from the engine as the floor. Prints the rows, the wall time and the
// process's peak memory; run it once per process so the peak belongs to one run.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include "host/core/date_time.h"
#include "host/core/exception.h"
#include "host/data/engine.h"
#include "host/report/report_catalog.h"
#include "host/report/report_commands.h"
#include "report_choices.h"

namespace {

using namespace hostfw;

// Every value of every row of the report's query, and nothing more.
long long ReadDirect(Engine& engine, const ReportDefinition& definition,
                     const std::string& branch) {
    const std::string& sql = definition.sql.For(engine.Kind());
    TParams params;
    for (const char* name : {"P_CDFILIAL", "P_TCDCLIENTE", "P_CDCLIENTE", "P_DATAINI", "P_DATAFIM",
                             "P_TFILIDEST", "P_FILIDEST", "P_TNOTA", "P_NOTA", "P_STATUS"}) {
        params.CreateParam(name);
    }
    benchsupport::AssignWholeReport(params, branch);
    auto cursor = engine.Query(sql, params);
    const std::size_t columns = cursor->ColumnNames().size();
    long long rows = 0;
    std::size_t bytes = 0;
    while (cursor->Next()) {
        for (std::size_t i = 0; i < columns; ++i)
            bytes += cursor->Value(i).AsString().size();
        ++rows;
    }
    return bytes > 0 ? rows : 0;
}

std::optional<ReportFileFormat> FormatNamed(const std::string& mode) {
    if (mode == "csv")
        return ReportFileFormat::Csv;
    if (mode == "pdf")
        return ReportFileFormat::Pdf;
    if (mode == "xlsx")
        return ReportFileFormat::Xlsx;
    return std::nullopt;
}

long long CountLines(const std::filesystem::path& file) {
    long long lines = 0;
    std::FILE* in = std::fopen(file.c_str(), "rb");
    for (int c = 0; in != nullptr && (c = std::fgetc(in)) != EOF;)
        lines += c == '\n';
    if (in != nullptr)
        std::fclose(in);
    return lines;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "uso: %s BANCO PASTA_RELATORIOS pdf|csv|xlsx|direct FILIAL SAIDA\n",
                     argv[0]);
        return 2;
    }
    const std::string mode = argv[3];
    const std::string branch = argv[4];
    const std::filesystem::path output = argv[5];
    try {
        const auto engine = OpenDatabase(argv[1]);
        const ReportCatalog catalog = ReportCatalog::Load(argv[2], "EXP036");
        const ReportDefinition& definition = catalog.Definition(0);
        const ReportRequest request{
            *engine,
            definition,
            [&](TParams& params, bool&) { benchsupport::AssignWholeReport(params, branch); },
            std::nullopt,
            {}};

        const auto start = std::chrono::steady_clock::now();
        long long rows = 0;
        if (mode == "direct") {
            rows = ReadDirect(*engine, definition, branch);
        } else if (const auto format = FormatNamed(mode)) {
            ExportReport(request, *format, output);
        } else {
            std::fprintf(stderr, "modo desconhecido: %s\n", mode.c_str());
            return 2;
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        // Counted once the clock has stopped: reading the file back is not the export's cost.
        if (mode == "csv")
            rows = CountLines(output) - 1;
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const std::string counted =
            mode == "pdf" || mode == "xlsx" ? "" : " rows=" + std::to_string(rows);
        std::printf("%s%s seconds=%.3f peak_rss_mb=%.1f\n", mode.c_str(), counted.c_str(), seconds,
                    static_cast<double>(usage.ru_maxrss) / 1024.0);
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
