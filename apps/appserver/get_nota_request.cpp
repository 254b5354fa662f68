#include "get_nota_request.h"

#include "call_failure.h"
#include "key_list.h"

namespace appserver {
namespace {

using hostfw::Variant;

constexpr std::string_view kStatusLetters = "PEACK";
constexpr const char* kArgumentNames[kGetNotaArgumentCount] = {"filial",
                                                               "data inicial",
                                                               "data final",
                                                               "lista de clientes",
                                                               "todos os clientes",
                                                               "lista de filiais de destino",
                                                               "todas as filiais de destino",
                                                               "situações",
                                                               "tipo de relatório"};

[[noreturn]] void Refuse(std::size_t index, const std::string& problem) {
    throw CallFailure(400, "GetNota: argumento " + std::to_string(index + 1) + " (" +
                               kArgumentNames[index] + ") " + problem);
}

const Variant& Typed(const std::vector<Variant>& args, std::size_t index, Variant::Kind kind) {
    const Variant& arg = args[index];
    if (arg.kind() != kind) {
        Refuse(index, std::string("deve ser do tipo ") + hostfw::KindName(kind) + ", não " +
                          hostfw::KindName(arg.kind()) + ".");
    }
    return arg;
}

// PostgreSQL cannot take a NUL in a text, and SQLite compares past it: refused alike, so both
// engines answer the same.
std::string Text(const std::vector<Variant>& args, std::size_t index) {
    std::string value = Typed(args, index, Variant::Kind::String).AsString();
    if (value.find('\0') != std::string::npos)
        Refuse(index, "contém o caractere NUL, que não é aceito.");
    return value;
}

// The day of a date argument, time of day dropped. The range is checked on the number itself:
// a huge value must not reach the calendar arithmetic.
hostfw::TDateTime Day(const std::vector<Variant>& args, std::size_t index) {
    const hostfw::TDateTime value =
        hostfw::DateOf(Typed(args, index, Variant::Kind::Date).AsDate());
    if (!(value.value >= kFirstCalendarDay.value && value.value <= kLastCalendarDay.value))
        Refuse(index, "fora do intervalo de datas aceito (anos 1 a 9999).");
    return value;
}

// Flag "T" lifts the restriction; any other flag keeps only the listed keys.
std::optional<std::string> Restriction(const std::vector<Variant>& args, std::size_t listIndex,
                                       std::size_t flagIndex) {
    const std::string list = Text(args, listIndex);
    if (Text(args, flagIndex) == "T")
        return std::nullopt;
    return CanonicalKeyList(list);
}

std::string Statuses(const std::vector<Variant>& args, std::size_t index) {
    std::string letters = Text(args, index);
    for (const char letter : letters) {
        if (kStatusLetters.find(letter) == std::string_view::npos) {
            Refuse(index, "traz a situação desconhecida '" + std::string(1, letter) +
                              "' (use P, E, A, C ou K).");
        }
    }
    return letters;
}

}  // namespace

GetNotaRequest ParseGetNotaArguments(const std::vector<Variant>& args) {
    if (args.size() != kGetNotaArgumentCount) {
        throw CallFailure(400, "GetNota espera " + std::to_string(kGetNotaArgumentCount) +
                                   " argumentos; recebeu " + std::to_string(args.size()) + ".");
    }
    GetNotaRequest request;
    request.branch = Text(args, 0);
    request.firstDay = Day(args, 1);
    request.lastDay = Day(args, 2);
    request.clients = Restriction(args, 3, 4);
    request.destinations = Restriction(args, 5, 6);
    request.statuses = Statuses(args, 7);
    request.byCancellation = Text(args, kReportKindArgument) == "C";
    return request;
}

}  // namespace appserver
