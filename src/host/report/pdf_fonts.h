#pragma once

#include <QString>

namespace hostfw {

// The family name of DejaVu Sans, loaded from fonts-dejavu-core (regular and bold) so the PDF
// embeds the same font on every machine. Raises a clear Exception when the files are missing.
QString DejaVuSansFamily();

}  // namespace hostfw
