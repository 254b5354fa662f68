#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "db/demo_data.h"
#include "host/core/date_time.h"
#include "host/data/engine.h"
#include "host/data/params.h"
#include "host/report/exist_param.h"
#include "host/report/report_catalog.h"
#include "host/report/report_commands.h"
#include "host/report/report_request.h"

namespace reporttest {

using hostfw::EncodeDate;
using hostfw::TDateTime;

// What the parameter form would hand over: everything "Todos", the whole of 2025, the four
// statuses of the issue-date variant.
struct FormChoices {
    std::string branch = "0001";
    hostfw::Variant from = EncodeDate(2025, 1, 1);
    hostfw::Variant to = EncodeDate(2025, 12, 31);
    std::string clientsFlag = "T";
    std::string clients;
    std::string destinationsFlag = "T";
    std::string destinations;
    std::string invoicesFlag = "T";
    std::string invoices;
    std::string statuses = "PEAC";
};

// Assigns the choices as the form does: only the parameters the query declares.
inline void AssignChoices(hostfw::TParams& params, const FormChoices& choices) {
    const std::vector<std::pair<const char*, hostfw::Variant>> values = {
        {"P_CDFILIAL", choices.branch},
        {"P_TCDCLIENTE", choices.clientsFlag},
        {"P_CDCLIENTE", choices.clients},
        {"P_DATAINI", choices.from},
        {"P_DATAFIM", choices.to},
        {"P_TFILIDEST", choices.destinationsFlag},
        {"P_FILIDEST", choices.destinations},
        {"P_TNOTA", choices.invoicesFlag},
        {"P_NOTA", choices.invoices},
        {"P_STATUS", choices.statuses}};
    for (const auto& [name, value] : values) {
        if (hostfw::ExistParam(params, name))
            params.ParamByName(name).SetAsVariant(value);
    }
}

inline std::string ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return std::move(text).str();
}

inline void WriteFile(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

inline std::vector<std::string> SplitLines(const std::string& text, const std::string& end = "\n") {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t stop = text.find(end, start);
        if (stop == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, stop - start));
        start = stop + end.size();
    }
    return lines;
}

// Runs of both variants (chooser items 0 and 1) with each restriction the form has, for
// comparing engines: each list, a status choice, a date with a time of day, the other branch.
inline std::vector<std::pair<std::size_t, FormChoices>> EveryRestriction() {
    std::vector<std::pair<std::size_t, FormChoices>> cases(7);
    cases[1].second.clientsFlag = "";
    cases[1].second.clients = ",1,";
    cases[2].second.destinationsFlag = "";
    cases[2].second.destinations = ",0002,0003,";
    cases[3].second.invoicesFlag = "";
    cases[3].second.invoices = ",3,7,";
    cases[4].second.statuses = "PA";
    cases[4].second.from = TDateTime{EncodeDate(2025, 1, 31).value + 0.75};
    cases[5] = {1, {}};
    cases[5].second.branch = "0002";
    cases[5].second.statuses = "";
    cases[6] = {1, cases[5].second};
    cases[6].second.to = EncodeDate(2025, 1, 22);
    return cases;
}

// A private folder holding a copy of the shipped report definitions and a SQLite database
// with the fixed test rows, removed afterwards.
class ReportTest : public ::testing::Test {
protected:
    ReportTest() {
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(reportFolder);
        for (const char* name : {"EXP036-001.json", "EXP036-002.json"}) {
            std::filesystem::copy_file(std::filesystem::path(EXP036_SOURCE_DIR) / "reports" / name,
                                       reportFolder / name);
        }
        database = hostfw::OpenDatabase((folder / "teste.sqlite").string(), true);
        demodb::BuildTestDatabase(*database);
        catalog = std::make_unique<hostfw::ReportCatalog>(
            hostfw::ReportCatalog::Load(reportFolder, "EXP036"));
    }
    ~ReportTest() override {
        database.reset();
        std::filesystem::remove_all(folder);
    }

    // A run of chooser item `index` with the form's choices, printed at a fixed time.
    hostfw::ReportRequest Request(std::size_t index, const FormChoices& choices = {}) {
        return Request(catalog->Definition(index), choices);
    }
    hostfw::ReportRequest Request(const hostfw::ReportDefinition& definition,
                                  const FormChoices& choices = {}) {
        return hostfw::ReportRequest{
            *database,
            definition,
            [choices](hostfw::TParams& params, bool&) { AssignChoices(params, choices); },
            kPrintedAt,
            {}};
    }

    // A run of `definition` on another engine, the form's choices then `adjust` on the
    // parameters.
    hostfw::ReportRequest RequestOn(hostfw::Engine& engine,
                                    const hostfw::ReportDefinition& definition,
                                    const FormChoices& choices = {},
                                    std::function<void(hostfw::TParams&)> adjust = {}) {
        return hostfw::ReportRequest{engine,
                                     definition,
                                     [choices, adjust](hostfw::TParams& params, bool&) {
                                         AssignChoices(params, choices);
                                         if (adjust)
                                             adjust(params);
                                     },
                                     kPrintedAt,
                                     {}};
    }

    // The rows run `index` lists on another engine, as CSV, to compare with this database's.
    std::string CsvOn(hostfw::Engine& engine, std::size_t index, const FormChoices& choices) {
        const std::filesystem::path file = folder / "rows.csv";
        EXPECT_TRUE(hostfw::ExportReport(RequestOn(engine, catalog->Definition(index), choices),
                                         hostfw::ReportFileFormat::Csv, file));
        return ReadFile(file);
    }

    // The preview of run 0 on another engine with a parameter the form leaves unassigned, which
    // binds NULL and so matches no row.
    std::optional<std::string> PreviewWithUnassignedFlag(hostfw::Engine& engine) {
        return hostfw::PreviewReport(
            RequestOn(engine, catalog->Definition(0), {},
                      [](hostfw::TParams& params) { params.ParamByName("P_TFILIDEST").Clear(); }));
    }

    static constexpr TDateTime kPrintedAt{46085.5};  // 04/03/2026 12:00:00

    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("exp036-report-" +
         std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    const std::filesystem::path reportFolder = folder / "reports";
    std::shared_ptr<hostfw::Engine> database;
    std::unique_ptr<hostfw::ReportCatalog> catalog;
};

}  // namespace reporttest
