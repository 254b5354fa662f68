#include "host/report/bound_template.h"

#include <strings.h>

#include "host/core/exception.h"
#include "host/report/utf8_text.h"

namespace hostfw {
namespace {

std::size_t LookUp(const NameIndex& names, const std::string& name, const TextTemplate& text) {
    if (auto index = names.Find(name))
        return *index;
    throw Exception("o campo '" + name + "' usado em \"" + text.Source() + "\" não existe");
}

}  // namespace

std::size_t NameIndex::Add(std::string name) {
    names_.push_back(std::move(name));
    return names_.size() - 1;
}

std::optional<std::size_t> NameIndex::Find(std::string_view name) const {
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (names_[i].size() == name.size() &&
            strncasecmp(names_[i].data(), name.data(), name.size()) == 0) {
            return i;
        }
    }
    return std::nullopt;
}

BoundTemplate::BoundTemplate(const TextTemplate& text, const NameIndex& names) {
    for (const TemplateSegment& segment : text.Segments()) {
        Piece piece;
        if (segment.isField) {
            piece.value = LookUp(names, segment.field.name, text);
            if (!segment.field.argument.empty()) {
                piece.argument = LookUp(names, segment.field.argument, text);
            }
            piece.format = segment.field.format;
        } else {
            piece.literal = SingleLine(segment.literal);
        }
        pieces_.push_back(std::move(piece));
    }
}

std::string BoundTemplate::Render(std::span<const Variant> values,
                                  const StatusTexts& statusTexts) const {
    static const Variant kNoArgument;
    std::string out;
    for (const Piece& piece : pieces_) {
        if (!piece.value) {
            out += piece.literal;
            continue;
        }
        const Variant& argument = piece.argument ? values[*piece.argument] : kNoArgument;
        // Values come from the database: only they can carry invalid UTF-8 or line breaks.
        out += SingleLine(FormatValue(piece.format, values[*piece.value], argument, statusTexts));
    }
    return out;
}

bool BoundTemplate::Uses(std::size_t index) const {
    for (const Piece& piece : pieces_) {
        if (piece.value == index || piece.argument == index)
            return true;
    }
    return false;
}

}  // namespace hostfw
