#pragma once

#include <string>
#include <string_view>

namespace demodb {

// Brazilian taxpayer numbers, digits only, completed with their two check digits
// (modulo 11, a remainder below 2 giving 0).

// A person's CPF from its first 9 digits.
std::string CpfFromBase(std::string_view nineDigits);
// An entity's CNPJ from its first 12 digits (8 of the company, 4 of the establishment).
std::string CnpjFromBase(std::string_view twelveDigits);

}  // namespace demodb
