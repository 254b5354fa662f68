#include "host/report/text_page_renderer.h"

#include <cmath>

#include "host/core/exception.h"
#include "host/report/line_layout.h"
#include "host/report/utf8_text.h"

namespace hostfw {
namespace {

void AppendAt(std::string& line, std::size_t& column, std::size_t at, const std::string& text) {
    if (at > column)
        line.append(at - column, ' ');
    line += text;
    column = std::max(column, at) + DisplayWidth(text);
}

std::string WithoutTrailingBlanks(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

}  // namespace

TextPageRenderer::TextPageRenderer(std::ostream& out, const ReportDefinition& definition)
    : out_(out), definition_(definition) {}

std::string TextPageRenderer::LineText(const PrintedLine& line) const {
    const std::size_t width = definition_.pageWidth;
    std::string text;
    std::size_t column = 0;
    switch (line.kind) {
        case BandLine::Kind::Rule:
            return std::string(width, '-');
        case BandLine::Kind::Cells:
            for (const CellSpan& span : CellSpans(line, definition_.columns)) {
                AppendAt(text, column, span.start, FitToWidth(*span.text, span.width, span.align));
            }
            break;
        case BandLine::Kind::Text: {
            const TextMeasure measure{
                [](const std::string& part) { return static_cast<double>(DisplayWidth(part)); },
                [](const std::string& part, double room) {
                    return FitToWidth(part, static_cast<std::size_t>(room), TextAlign::Left);
                }};
            for (const PlacedText& part :
                 PlaceTextParts(line, static_cast<double>(width), 1, measure)) {
                AppendAt(text, column, static_cast<std::size_t>(std::lround(part.x)), part.text);
            }
            break;
        }
    }
    return WithoutTrailingBlanks(std::move(text));
}

void TextPageRenderer::RenderPage(const FramedPage& page) {
    if (page.number > 1)
        out_ << '\f';
    for (const PrintedLine& line : page.header)
        out_ << LineText(line) << '\n';
    for (const PrintedLine& line : page.body)
        out_ << LineText(line) << '\n';
    const std::size_t used = page.header.size() + page.body.size() + page.footer.size();
    for (std::size_t i = used; i < definition_.pageLines; ++i)
        out_ << '\n';
    for (const PrintedLine& line : page.footer)
        out_ << LineText(line) << '\n';
}

void TextPageRenderer::Finish() {
    out_.flush();
    if (!out_)
        throw Exception("Falha ao gravar o texto do relatório.");
}

}  // namespace hostfw
