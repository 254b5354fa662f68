#pragma once

#include <optional>
#include <string_view>

#include "host/core/variant.h"
#include "host/report/text_template.h"

namespace hostfw {

// What a spreadsheet cell of a column holds: the value itself, for a column that shows one date,
// date-time or amount and nothing else; the text the report shows for anything else (codes,
// names, CPF/CNPJ in their mask, statuses, texts put together from several values).
enum class XlsxCellKind { Text, Date, DateTime, Money };

XlsxCellKind CellKindOf(const TextTemplate& value);

// The field a template shows when it shows one and nothing around it.
std::optional<TemplateField> SoleField(const TextTemplate& value);

// Whether the template shows `name` alone, in any format ("{total:money}" for "total").
bool ShowsOnly(const TextTemplate& value, std::string_view name);

// The spreadsheet's day number of a date (a Date variant, or "yyyy-mm-dd[ hh:mm:ss]" text as the
// database gives it); nothing for a value that is not one, or a day before 01/03/1900, where
// spreadsheets count days differently.
std::optional<double> SpreadsheetDay(const Variant& value, bool withTime);

}  // namespace hostfw
