#pragma once

#include <string>

#include "hostfw_export.h"

namespace hostfw {

// True for a text with nothing to process: only blanks, or an unfilled date mask
// (blanks and the separators "/" of "  /  /    ").
HOSTFW_EXPORT bool EmptyString(const std::string& text);

// A code adjusted to a width: blanks trimmed, then filled with "0" on the left; a code
// already longer than the width is returned as it is (never truncated).
HOSTFW_EXPORT std::string Ajusta(const std::string& text, int width);

// The edit mask of a registration number: "F" (person, CPF) or "J" (entity, CNPJ);
// the empty mask for any other kind.
HOSTFW_EXPORT std::string PictPess(const std::string& kind);

// Lays the digits of a raw value into the mask's "9" places, keeping the literals between
// them; the raw value unchanged for an empty mask or a value that does not fit it.
HOSTFW_EXPORT std::string FormatMaskText(const std::string& mask, const std::string& value);

}  // namespace hostfw
