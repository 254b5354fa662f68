#include "command_line/host_options.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string_view>

#include "host/data/engine.h"
#include "session/session_values.h"

namespace host {
namespace {

enum class Scope { Both, ScriptOnly, ReportOnly };

struct OptionDef {
    std::string_view name;
    bool takesValue;
    Scope scope;
    void (*apply)(HostOptions& options, const std::string& value);
};

std::vector<std::string> KeyList(const std::string& option, const std::string& text) {
    std::vector<std::string> keys;
    size_t start = 0;
    while (true) {
        const size_t comma = std::min(text.find(',', start), text.size());
        const std::string key = text.substr(start, comma - start);
        const size_t first = key.find_first_not_of(' ');
        if (first == std::string::npos)
            throw UsageError(option + " espera chaves separadas por vírgula, sem chave vazia.");
        keys.push_back(key.substr(first, key.find_last_not_of(' ') - first + 1));
        if (comma == text.size())
            return keys;
        start = comma + 1;
    }
}

int VariantNumber(const std::string& text) {
    if (text == "0" || text == "emissao")
        return 0;
    if (text == "1" || text == "cancelamento")
        return 1;
    throw UsageError("--variant espera 0 (emissao) ou 1 (cancelamento), não \"" + text + "\".");
}

std::string StatusLetters(const std::string& text) {
    std::string letters;
    for (char c : text) {
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (std::string_view("PEAC").find(letter) == std::string_view::npos ||
            letters.find(letter) != std::string::npos) {
            throw UsageError("--status espera letras distintas entre P, E, A e C, não \"" + text +
                             "\".");
        }
        letters += letter;
    }
    return letters;
}

ReportFormat FormatNamed(const std::string& text) {
    if (text == "text")
        return ReportFormat::Text;
    if (text == "pdf")
        return ReportFormat::Pdf;
    if (text == "csv")
        return ReportFormat::Csv;
    if (text == "xlsx")
        return ReportFormat::Xlsx;
    throw UsageError("--format espera text, pdf, csv ou xlsx, não \"" + text + "\".");
}

bool BrazilianCsv(const std::string& text) {
    if (text == "br")
        return true;
    if (text == "padrao" || text == "padrão")
        return false;
    throw UsageError(
        "--csv-dialect espera br (planilha em português: ponto e vírgula, vírgula "
        "decimal) ou padrao (vírgulas, RFC 4180), não \"" +
        text + "\".");
}

// A language as Qt's translations name it: letters, then optionally "_" and the country.
std::string LanguageNamed(const std::string& text) {
    const bool valid = text.size() >= 2 && text.size() <= 5 &&
                       std::isalpha(static_cast<unsigned char>(text[0])) &&
                       std::isalpha(static_cast<unsigned char>(text[1])) &&
                       (text.size() == 2 || (text.size() == 5 && text[2] == '_' &&
                                             std::isalpha(static_cast<unsigned char>(text[3])) &&
                                             std::isalpha(static_cast<unsigned char>(text[4]))));
    if (!valid)
        throw UsageError("--language espera um idioma como pt_BR ou en, não \"" + text + "\".");
    return text;
}

// A whole number of `unit` from `lowest` to `highest`.
int WholeNumber(std::string_view option, const std::string& text, int lowest, int highest,
                std::string_view unit) {
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || number < lowest ||
        number > highest)
        throw UsageError(std::string(option) + " espera " + std::string(unit) + " de " +
                         std::to_string(lowest) + " a " + std::to_string(highest) + ", não \"" +
                         text + "\".");
    return number;
}

const OptionDef kOptions[] = {
    {"--db", true, Scope::Both, [](HostOptions& o, const std::string& v) { o.database = v; }},
    {"--report-db", true, Scope::Both,
     [](HostOptions& o, const std::string& v) { o.reportDatabase = v; }},
    {"--report-lag", true, Scope::Both,
     [](HostOptions& o, const std::string& v) {
         o.reportLagSeconds = WholeNumber("--report-lag", v, 1, 3600, "segundos");
     }},
    {"--reports", true, Scope::Both, [](HostOptions& o, const std::string& v) { o.reportDir = v; }},
    {"--output", true, Scope::Both, [](HostOptions& o, const std::string& v) { o.outputDir = v; }},
    {"--server", true, Scope::Both,
     [](HostOptions& o, const std::string& v) {
         // One address (a balancer's) or several servers of the same service, by commas.
         o.otherServers.clear();
         std::size_t start = 0;
         while (start <= v.size()) {
             const std::size_t comma = std::min(v.find(',', start), v.size());
             const auto address = ParseServerAddress(v.substr(start, comma - start));
             if (!address)
                 throw UsageError(
                     "--server espera HOST:PORTA (porta de 1 a 65535), ou vários separados "
                     "por vírgulas, não \"" +
                     v + "\".");
             if (start == 0) {
                 o.serverHost = address->first;
                 o.serverPort = address->second;
             } else {
                 o.otherServers.push_back(*address);
             }
             start = comma + 1;
         }
     }},
    {"--branch", true, Scope::Both, [](HostOptions& o, const std::string& v) { o.branch = v; }},
    {"--locked", false, Scope::ScriptOnly,
     [](HostOptions& o, const std::string&) { o.locked = true; }},
    {"--printer", true, Scope::Both, [](HostOptions& o, const std::string& v) { o.printer = v; }},
    {"--server-timeout", true, Scope::Both,
     [](HostOptions& o, const std::string& v) {
         o.serverTimeoutSeconds = WholeNumber("--server-timeout", v, 1, 600, "segundos");
     }},
    {"--server-max-reply", true, Scope::Both,
     [](HostOptions& o, const std::string& v) {
         // Whole MiB.
         o.serverReplySizeLimit =
             static_cast<std::size_t>(WholeNumber("--server-max-reply", v, 1, 4096, "MiB")) << 20;
     }},
    {"--ca-file", true, Scope::Both, [](HostOptions& o, const std::string& v) { o.caFile = v; }},
    {"--server-plain-password", false, Scope::Both,
     [](HostOptions& o, const std::string&) { o.serverPlainPassword = true; }},
    {"--package", true, Scope::Both, [](HostOptions& o, const std::string& v) { o.package = v; }},
    {"--script", true, Scope::ScriptOnly,
     [](HostOptions& o, const std::string& v) { o.script = v; }},
    {"--gui", false, Scope::ScriptOnly, [](HostOptions& o, const std::string&) { o.gui = true; }},
    {"--screenshots", true, Scope::ScriptOnly,
     [](HostOptions& o, const std::string& v) { o.screenshots = v; }},
    {"--transcript", true, Scope::Both,
     [](HostOptions& o, const std::string& v) { o.transcript = v; }},
    {"--from", true, Scope::ReportOnly,
     [](HostOptions& o, const std::string& v) { o.report.from = v; }},
    {"--to", true, Scope::ReportOnly,
     [](HostOptions& o, const std::string& v) { o.report.to = v; }},
    {"--variant", true, Scope::ReportOnly,
     [](HostOptions& o, const std::string& v) { o.report.variant = VariantNumber(v); }},
    {"--status", true, Scope::ReportOnly,
     [](HostOptions& o, const std::string& v) { o.report.statuses = StatusLetters(v); }},
    {"--clients", true, Scope::ReportOnly,
     [](HostOptions& o, const std::string& v) { o.report.clients = KeyList("--clients", v); }},
    {"--destinations", true, Scope::ReportOnly,
     [](HostOptions& o, const std::string& v) {
         o.report.destinations = KeyList("--destinations", v);
     }},
    {"--invoices", true, Scope::ReportOnly,
     [](HostOptions& o, const std::string& v) { o.report.invoices = KeyList("--invoices", v); }},
    {"--format", true, Scope::ReportOnly,
     [](HostOptions& o, const std::string& v) { o.report.format = FormatNamed(v); }},
    {"--csv-dialect", true, Scope::ReportOnly,
     [](HostOptions& o, const std::string& v) {
         o.report.brazilianCsv = BrazilianCsv(v);
         o.report.csvDialectGiven = true;
     }},
    {"--language", true, Scope::ScriptOnly,
     [](HostOptions& o, const std::string& v) { o.language = LanguageNamed(v); }},
    {"--out", true, Scope::ReportOnly,
     [](HostOptions& o, const std::string& v) { o.report.out = v; }},
    {"--preset", true, Scope::ReportOnly,
     [](HostOptions& o, const std::string& v) { o.report.preset = v; }},
    {"--last", false, Scope::ReportOnly,
     [](HostOptions& o, const std::string&) { o.report.last = true; }},
};

const OptionDef* FindOption(std::string_view name) {
    for (const OptionDef& option : kOptions) {
        if (option.name == name)
            return &option;
    }
    return nullptr;
}

void CheckScope(const OptionDef& option, HostOptions::Mode mode) {
    if (option.scope == Scope::ReportOnly && mode != HostOptions::Mode::Report)
        throw UsageError(std::string(option.name) + " só vale com o subcomando report.");
    if (option.scope == Scope::ScriptOnly && mode == HostOptions::Mode::Report)
        throw UsageError(std::string(option.name) + " não vale com o subcomando report.");
}

void CheckComplete(HostOptions& options) {
    if (!options.reportDatabase.empty() && (!hostfw::IsPostgresConnection(options.database) ||
                                            !hostfw::IsPostgresConnection(options.reportDatabase)))
        throw UsageError(
            "--report-db é um standby PostgreSQL do banco de --db, que também é PostgreSQL.");
    // Without a script the host is the desktop application.
    if (options.mode == HostOptions::Mode::Script && options.script.empty()) {
        if (options.screenshots)
            throw UsageError("--screenshots vale com --script.");
        options.mode = HostOptions::Mode::Desktop;
        options.gui = true;
    }
    if (options.mode == HostOptions::Mode::Report) {
        if (options.report.invoices && !options.serverHost)
            throw UsageError(
                "--invoices busca as notas no servidor de aplicação: informe --server.");
        if (options.report.preset && options.report.last)
            throw UsageError("--preset e --last não valem juntos: escolha um ponto de partida.");
        if (options.report.statuses && options.report.variant == 1)
            throw UsageError("--status só vale para a variante 0 (emissao).");
        if (options.report.csvDialectGiven && options.report.format != ReportFormat::Csv)
            throw UsageError("--csv-dialect vale com --format csv.");
    }
}

}  // namespace

std::optional<std::pair<std::string, int>> ParseServerAddress(const std::string& text) {
    const size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0)
        return std::nullopt;
    std::string hostName = text.substr(0, colon);
    if (hostName.size() > 2 && hostName.front() == '[' && hostName.back() == ']')
        hostName = hostName.substr(1, hostName.size() - 2);
    const std::optional<int> port = ParsePort(std::string_view(text).substr(colon + 1));
    if (!port)
        return std::nullopt;
    return std::make_pair(hostName, *port);
}

// Where the word "report" stands as the subcommand: before, between or after the options (as
// "exp036-host --db x.sqlite report ..." is written), but never as an option's value.
std::optional<size_t> SubcommandPosition(const std::vector<std::string>& arguments) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "report")
            return i;
        const OptionDef* option = argument.rfind("--", 0) == 0
                                      ? FindOption(argument.substr(0, argument.find('=')))
                                      : nullptr;
        if (option != nullptr && option->takesValue && argument.find('=') == std::string::npos)
            ++i;  // its value
    }
    return std::nullopt;
}

HostOptions ParseHostOptions(const std::vector<std::string>& arguments) {
    HostOptions options;
    if (std::find_if(arguments.begin(), arguments.end(), [](const std::string& argument) {
            return argument == "--help" || argument == "-h";
        }) != arguments.end()) {
        options.mode = HostOptions::Mode::Help;
        return options;
    }
    const std::optional<size_t> subcommand = SubcommandPosition(arguments);
    if (subcommand)
        options.mode = HostOptions::Mode::Report;
    for (size_t next = 0; next < arguments.size(); ++next) {
        if (next == subcommand)
            continue;
        const std::string& argument = arguments[next];
        const size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const OptionDef* option = argument.rfind("--", 0) == 0 ? FindOption(name) : nullptr;
        if (option == nullptr) {
            throw UsageError(argument.rfind("-", 0) == 0
                                 ? "opção desconhecida: " + name
                                 : "argumento inesperado: \"" + argument + "\"");
        }
        CheckScope(*option, options.mode);
        std::string value;
        if (equals != std::string::npos) {
            if (!option->takesValue)
                throw UsageError(name + " não recebe valor.");
            value = argument.substr(equals + 1);
        } else if (option->takesValue) {
            if (next + 1 >= arguments.size())
                throw UsageError(name + " espera um valor.");
            value = arguments[++next];
        }
        option->apply(options, value);
    }
    CheckComplete(options);
    return options;
}

}  // namespace host
