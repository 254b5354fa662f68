#include "db/tax_id.h"

#include <array>
#include <span>

namespace demodb {
namespace {

// Weights run from the left; the check digit is 11 minus the weighted sum modulo 11.
char CheckDigit(std::string_view digits, std::span<const int> weights) {
    int sum = 0;
    for (size_t i = 0; i < digits.size(); ++i)
        sum += (digits[i] - '0') * weights[i];
    const int remainder = sum % 11;
    return static_cast<char>('0' + (remainder < 2 ? 0 : 11 - remainder));
}

std::string WithCheckDigits(std::string_view base, std::span<const int> weights) {
    std::string number(base);
    number += CheckDigit(number, weights.subspan(1));
    number += CheckDigit(number, weights);
    return number;
}

}  // namespace

std::string CpfFromBase(std::string_view nineDigits) {
    static constexpr std::array<int, 10> kWeights = {11, 10, 9, 8, 7, 6, 5, 4, 3, 2};
    return WithCheckDigits(nineDigits, kWeights);
}

std::string CnpjFromBase(std::string_view twelveDigits) {
    static constexpr std::array<int, 13> kWeights = {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    return WithCheckDigits(twelveDigits, kWeights);
}

}  // namespace demodb
