#include "host/report/report_definition_loader.h"

#include <algorithm>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <tuple>

#include "host/core/exception.h"
#include "host/data/single_query.h"
#include "host/data/sql_parameters.h"
#include "host/report/bound_template.h"
#include "host/report/definition_error.h"
#include "host/report/json_object_reader.h"
#include "host/report/report_scope.h"

namespace hostfw {
namespace {

using nlohmann::json;

constexpr std::uintmax_t kMaxDefinitionBytes = 1024 * 1024;

std::string Indexed(const std::string& where, std::size_t index) {
    return where + "[" + std::to_string(index) + "]";
}

TextTemplate ParseTemplate(const json& value, const std::string& where) {
    if (!value.is_string())
        ThrowDefinitionProblem(where, "deveria ser um texto");
    try {
        return TextTemplate::Parse(value.get<std::string>());
    } catch (const Exception& e) {
        ThrowDefinitionProblem(where, e.what());
    }
}

// "sql": one text for every engine, or {"sqlite": ..., "postgresql": ..., "firebird": ...,
// "default": ...}. SQLite's and PostgreSQL's are required; a definition written before the
// Firebird engine may lack its text, which only a run on Firebird then misses.
EngineSql ParseEngineSql(const json& value, const std::string& where) {
    EngineSql sql;
    if (value.is_object()) {
        const JsonObjectReader reader(value, where,
                                      {"sqlite", "postgresql", "firebird", "default"});
        const std::string fallback =
            reader.Has("default") ? TextOrLines(value["default"], reader.Path("default")) : "";
        const auto textFor = [&](const char* engine) {
            return reader.Has(engine) ? TextOrLines(value[engine], reader.Path(engine)) : fallback;
        };
        sql.sqlite = textFor("sqlite");
        sql.postgresql = textFor("postgresql");
        sql.firebird = textFor("firebird");
    } else {
        sql.sqlite = sql.postgresql = sql.firebird = TextOrLines(value, where);
    }
    if (sql.sqlite.empty())
        ThrowDefinitionProblem(where, "falta o SQL para sqlite");
    if (sql.postgresql.empty())
        ThrowDefinitionProblem(where, "falta o SQL para postgresql");
    const auto sqliteParameters = DeclaredParameters(sql.sqlite, EngineKind::SQLite);
    const std::set<std::string> declared(sqliteParameters.begin(), sqliteParameters.end());
    for (const auto& [engine, kind, text] :
         {std::tuple{"sqlite", EngineKind::SQLite, &sql.sqlite},
          {"postgresql", EngineKind::PostgreSQL, &sql.postgresql},
          {"firebird", EngineKind::Firebird, &sql.firebird}}) {
        if (text->empty())
            continue;
        if (const auto problem = SingleQueryProblem(*text, kind))
            ThrowDefinitionProblem(where, "o SQL para " + std::string(engine) + " " + *problem);
        const auto parameters = DeclaredParameters(*text, kind);
        if (std::set(parameters.begin(), parameters.end()) != declared) {
            ThrowDefinitionProblem(where, "o SQL de sqlite e o de " + std::string(engine) +
                                              " declaram parâmetros diferentes");
        }
    }
    return sql;
}

TextAlign ParseAlign(const JsonObjectReader& reader) {
    const std::string align = reader.OptionalString("align", "left");
    if (align == "left")
        return TextAlign::Left;
    if (align == "center")
        return TextAlign::Center;
    if (align == "right")
        return TextAlign::Right;
    ThrowDefinitionProblem(reader.Path("align"), "deveria ser left, center ou right");
}

ReportColumn ParseColumn(const json& value, const std::string& where) {
    const JsonObjectReader reader(value, where, {"name", "title", "width", "align", "value"});
    ReportColumn column;
    column.name = reader.String("name");
    column.title = reader.String("title");
    column.width = static_cast<std::size_t>(reader.Integer("width", 1, 200));
    column.align = ParseAlign(reader);
    column.value = ParseTemplate(reader.Required("value"), reader.Path("value"));
    return column;
}

std::vector<ReportColumn> ParseColumns(const json& value, std::size_t pageWidth) {
    if (!value.is_array() || value.empty())
        ThrowDefinitionProblem("columns", "deveria ser uma lista não vazia");
    std::vector<ReportColumn> columns;
    std::size_t width = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        columns.push_back(ParseColumn(value[i], Indexed("columns", i)));
        const bool repeated =
            std::any_of(columns.begin(), columns.end() - 1,
                        [&](const ReportColumn& c) { return c.name == columns.back().name; });
        if (repeated)
            ThrowDefinitionProblem(Indexed("columns", i),
                                   "nome de coluna repetido '" + columns.back().name + "'");
        width += columns.back().width + (i > 0 ? 1 : 0);
    }
    if (width > pageWidth) {
        ThrowDefinitionProblem("columns", "as colunas ocupam " + std::to_string(width) +
                                              " caracteres e a página tem " +
                                              std::to_string(pageWidth));
    }
    return columns;
}

LineStyle ParseStyle(const JsonObjectReader& reader) {
    const std::string style = reader.OptionalString("style", "normal");
    if (style == "normal")
        return LineStyle::Normal;
    if (style == "bold")
        return LineStyle::Bold;
    ThrowDefinitionProblem(reader.Path("style"), "deveria ser normal ou bold");
}

BandLine ParseCells(const json& cells, const std::string& where,
                    const std::vector<ReportColumn>& columns) {
    if (!cells.is_object())
        ThrowDefinitionProblem(where, "deveria ser um objeto coluna: texto");
    BandLine line;
    line.kind = BandLine::Kind::Cells;
    line.cells.resize(columns.size());
    for (const auto& item : cells.items()) {
        // A named variable, not a structured binding: clang 14 cannot capture one.
        const std::string& name = item.key();
        const json& text = item.value();
        const auto column = std::find_if(columns.begin(), columns.end(),
                                         [&](const ReportColumn& c) { return c.name == name; });
        if (column == columns.end())
            ThrowDefinitionProblem(where, "coluna desconhecida '" + name + "'");
        line.cells[static_cast<std::size_t>(column - columns.begin())] =
            ParseTemplate(text, where + "." + name);
    }
    return line;
}

// A band line: "text", {"left"/"center"/"right": ..., "style": ...}, {"cells": {...}}, {"rule":
// true}.
BandLine ParseBandLine(const json& value, const std::string& where,
                       const std::vector<ReportColumn>& columns) {
    if (value.is_string()) {
        BandLine line;
        line.left = ParseTemplate(value, where);
        return line;
    }
    const JsonObjectReader reader(value, where,
                                  {"left", "center", "right", "cells", "rule", "style"});
    const bool text = reader.Has("left") || reader.Has("center") || reader.Has("right");
    const int kinds = int{text} + int{reader.Has("cells")} + int{reader.Has("rule")};
    if (kinds != 1)
        ThrowDefinitionProblem(where, "use só um de: left/center/right, cells ou rule");
    BandLine line;
    if (reader.Has("rule")) {
        if (reader.Required("rule") != true)
            ThrowDefinitionProblem(reader.Path("rule"), "deveria ser true");
        line.kind = BandLine::Kind::Rule;
    } else if (reader.Has("cells")) {
        line = ParseCells(reader.Required("cells"), reader.Path("cells"), columns);
    } else {
        for (const auto& [key, part] :
             {std::pair{"left", &line.left}, std::pair{"center", &line.center},
              std::pair{"right", &line.right}}) {
            if (reader.Has(key))
                *part = ParseTemplate(reader.Required(key), reader.Path(key));
        }
    }
    line.style = ParseStyle(reader);
    return line;
}

Band ParseBand(const json& value, const std::string& where,
               const std::vector<ReportColumn>& columns) {
    if (!value.is_array())
        ThrowDefinitionProblem(where, "deveria ser uma lista de linhas");
    Band band;
    for (std::size_t i = 0; i < value.size(); ++i) {
        band.push_back(ParseBandLine(value[i], Indexed(where, i), columns));
    }
    return band;
}

std::vector<ReportLookup> ParseLookups(const json& value,
                                       const std::vector<std::string>& parameters) {
    if (!value.is_array())
        ThrowDefinitionProblem("lookups", "deveria ser uma lista");
    std::vector<ReportLookup> lookups;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const JsonObjectReader reader(value[i], Indexed("lookups", i), {"sql", "columns"});
        ReportLookup lookup;
        lookup.sql = ParseEngineSql(reader.Required("sql"), reader.Path("sql"));
        for (const std::string& parameter :
             DeclaredParameters(lookup.sql.sqlite, EngineKind::SQLite)) {
            if (std::find(parameters.begin(), parameters.end(), parameter) == parameters.end()) {
                ThrowDefinitionProblem(
                    reader.Path("sql"),
                    "usa o parâmetro " + parameter + ", que o SQL do relatório não declara");
            }
        }
        const json& columns = reader.Required("columns");
        if (!columns.is_array() || columns.empty() ||
            !std::all_of(columns.begin(), columns.end(),
                         [](const json& c) { return c.is_string(); })) {
            ThrowDefinitionProblem(reader.Path("columns"),
                                   "deveria ser uma lista de nomes de colunas");
        }
        for (const json& column : columns)
            lookup.columns.push_back(column.get<std::string>());
        lookups.push_back(std::move(lookup));
    }
    return lookups;
}

StatusTexts ParseStatusTexts(const json& value) {
    if (!value.is_object())
        ThrowDefinitionProblem("statusTexts", "deveria ser um objeto letra: texto");
    StatusTexts texts;
    for (const auto& [letter, text] : value.items()) {
        if (letter.size() != 1 || !text.is_string()) {
            ThrowDefinitionProblem("statusTexts", "cada status é uma letra com o seu texto");
        }
        texts[letter] = text.get<std::string>();
    }
    return texts;
}

void ParsePage(const json& value, ReportDefinition& definition) {
    const JsonObjectReader reader(value, "page", {"width", "lines", "orientation"});
    definition.pageWidth = static_cast<std::size_t>(reader.Integer("width", 20, 400));
    definition.pageLines = static_cast<std::size_t>(reader.Integer("lines", 10, 400));
    const std::string orientation = reader.OptionalString("orientation", "landscape");
    if (orientation != "landscape" && orientation != "portrait") {
        ThrowDefinitionProblem(reader.Path("orientation"), "deveria ser landscape ou portrait");
    }
    definition.orientation =
        orientation == "portrait" ? PageOrientation::Portrait : PageOrientation::Landscape;
}

// The bands around the body can only name the report's own values, parameters the SQL
// declares and look-up columns: all known now, so a misspelt name is caught on loading.
void CheckReportScopeNames(const ReportDefinition& definition,
                           const std::vector<std::string>& parameters) {
    const NameIndex names = ReportScope::Names(definition, parameters);
    auto check = [&](const TextTemplate& text, const std::string& where) {
        try {
            static_cast<void>(BoundTemplate(text, names));
        } catch (const Exception& e) {
            ThrowDefinitionProblem(where, e.what());
        }
    };
    for (const auto& [band, where] : {std::pair{&definition.pageHeader, "pageHeader"},
                                      std::pair{&definition.pageFooter, "pageFooter"},
                                      std::pair{&definition.summary, "summary"}}) {
        for (std::size_t i = 0; i < band->size(); ++i) {
            const BandLine& line = (*band)[i];
            for (const TextTemplate* part : {&line.left, &line.center, &line.right})
                check(*part, Indexed(where, i));
            for (const TextTemplate& cell : line.cells)
                check(cell, Indexed(where, i));
        }
    }
    check(definition.noRows, "noRows");
}

void CheckPageRoom(const ReportDefinition& definition) {
    const std::size_t frame = definition.pageHeader.size() + 2 + definition.pageFooter.size();
    const std::size_t groupHeader = definition.group ? definition.group->header.size() : 0;
    if (definition.pageLines < frame + groupHeader + 1) {
        ThrowDefinitionProblem(
            "page.lines", "a página de " + std::to_string(definition.pageLines) +
                              " linhas não comporta o cabeçalho, o rodapé e uma linha de detalhe");
    }
}

ReportDefinition ParseDocument(const json& document) {
    const JsonObjectReader reader(document, "",
                                  {"comment", "report", "screen", "sequence", "title", "variant",
                                   "sql", "lookups", "page", "statusTexts", "columns", "pageHeader",
                                   "group", "summary", "pageFooter", "amountField", "noRows"});
    ReportDefinition definition;
    definition.reportCode = reader.String("report");
    if (!IsValidReportCode(definition.reportCode)) {
        ThrowDefinitionProblem("report", "o código deveria ter de 1 a 32 letras, dígitos ou '_'");
    }
    definition.screenCode = reader.String("screen");
    definition.sequence = static_cast<int>(reader.Integer("sequence", 1, 999999));
    definition.title = reader.String("title");
    if (definition.title.find_first_not_of(" \t") == std::string::npos) {
        ThrowDefinitionProblem("title", "o título não pode ficar vazio");
    }
    definition.variant = reader.String("variant");
    definition.sql = ParseEngineSql(reader.Required("sql"), "sql");
    const std::vector<std::string> parameters =
        DeclaredParameters(definition.sql.sqlite, EngineKind::SQLite);
    if (reader.Has("lookups"))
        definition.lookups = ParseLookups(reader.Required("lookups"), parameters);
    ParsePage(reader.Required("page"), definition);
    if (reader.Has("statusTexts"))
        definition.statusTexts = ParseStatusTexts(reader.Required("statusTexts"));
    definition.columns = ParseColumns(reader.Required("columns"), definition.pageWidth);
    definition.pageHeader =
        ParseBand(reader.Required("pageHeader"), "pageHeader", definition.columns);
    definition.pageFooter =
        ParseBand(reader.Required("pageFooter"), "pageFooter", definition.columns);
    if (reader.Has("summary"))
        definition.summary = ParseBand(reader.Required("summary"), "summary", definition.columns);
    if (reader.Has("group")) {
        const JsonObjectReader group(reader.Required("group"), "group",
                                     {"field", "header", "footer"});
        definition.group = ReportGroup{
            group.String("field"),
            group.Has("header")
                ? ParseBand(group.Required("header"), "group.header", definition.columns)
                : Band{},
            group.Has("footer")
                ? ParseBand(group.Required("footer"), "group.footer", definition.columns)
                : Band{}};
    }
    definition.amountField = reader.OptionalString("amountField", "");
    definition.noRows = ParseTemplate(reader.Required("noRows"), "noRows");
    CheckPageRoom(definition);
    CheckReportScopeNames(definition, parameters);
    return definition;
}

// nlohmann reports a byte offset; people look for a line and a column.
std::string SyntaxErrorPlace(const std::string& text, std::size_t byte) {
    const std::size_t end = std::min(byte, text.size());
    const auto line =
        std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(end), '\n') + 1;
    const std::size_t lineStart = text.rfind('\n', end == 0 ? 0 : end - 1);
    const std::size_t column = lineStart == std::string::npos ? end : end - lineStart - 1;
    return "linha " + std::to_string(line) + ", coluna " + std::to_string(column);
}

}  // namespace

bool IsValidReportCode(const std::string& code) {
    return !code.empty() && code.size() <= 32 && std::all_of(code.begin(), code.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
               c == '_';
    });
}

ReportDefinition ParseReportDefinition(const std::string& text, const std::filesystem::path& file) {
    json document;
    try {
        document = json::parse(text);
    } catch (const json::parse_error& e) {
        ThrowInvalidDefinition(file, "erro de sintaxe JSON na " +
                                         SyntaxErrorPlace(text, e.byte == 0 ? 0 : e.byte - 1));
    } catch (const json::exception&) {
        // The library reports a number too large for a double apart from syntax errors.
        ThrowInvalidDefinition(file, "número fora do intervalo");
    }
    try {
        ReportDefinition definition = ParseDocument(document);
        definition.file = file;
        return definition;
    } catch (const DefinitionProblem& problem) {
        ThrowInvalidDefinition(file, problem.what);
    } catch (const Exception& e) {
        // DeclaredParameters may refuse a statement it cannot read.
        ThrowInvalidDefinition(file, e.what());
    }
}

std::string ReadReportDefinitionText(const std::filesystem::path& file) {
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    if (error) {
        ThrowInvalidDefinition(file, std::filesystem::exists(file) ? "o arquivo não pode ser lido"
                                                                   : "o arquivo não existe");
    }
    if (size > kMaxDefinitionBytes)
        ThrowInvalidDefinition(file, "o arquivo passa de 1 MB");
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in)
        ThrowInvalidDefinition(file, "o arquivo não pode ser lido");
    return std::move(text).str();
}

ReportDefinition LoadReportDefinition(const std::filesystem::path& file) {
    return ParseReportDefinition(ReadReportDefinitionText(file), file);
}

}  // namespace hostfw
