#include "driver/fixed_point.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "driver/text_field.h"

namespace {

// A non-negative decimal number: its digits, most significant first, with the decimal point after
// the first `integerDigits` of them.
struct Decimal {
  std::string digits;
  int integerDigits;
};

void MultiplyBy(std::string& digits, int factor) {
  int carry = 0;
  for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit) {
    const int product = (*digit - '0') * factor + carry;
    *digit = static_cast<char>('0' + product % 10);
    carry = product / 10;
  }
  for (; carry > 0; carry /= 10) {
    digits.insert(digits.begin(), static_cast<char>('0' + carry % 10));
  }
}

// The exact decimal value of a finite, non-negative double, with at least one integer digit.
Decimal ExactDecimal(double value) {
  int binaryExponent = 0;
  const double fraction = std::frexp(value, &binaryExponent);
  constexpr int MANTISSA_BITS = 53;
  const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, MANTISSA_BITS));
  binaryExponent -= MANTISSA_BITS;  // value == mantissa * 2^binaryExponent, exactly

  Decimal exact{std::to_string(mantissa), 0};
  if (binaryExponent >= 0) {
    for (int i = 0; i < binaryExponent; ++i) {
      MultiplyBy(exact.digits, 2);
    }
    exact.integerDigits = static_cast<int>(exact.digits.size());
    return exact;
  }
  // mantissa / 2^n == mantissa * 5^n / 10^n: the digits of mantissa * 5^n, point n from the right.
  const int fractionDigits = -binaryExponent;
  for (int i = 0; i < fractionDigits; ++i) {
    MultiplyBy(exact.digits, 5);
  }
  const int missing = fractionDigits + 1 - static_cast<int>(exact.digits.size());
  if (missing > 0) {
    exact.digits.insert(0, static_cast<std::size_t>(missing), '0');
  }
  exact.integerDigits = static_cast<int>(exact.digits.size()) - fractionDigits;
  return exact;
}

// Keeps the first `kept` digits and rounds on the next one, a 5 or more going upwards.
void RoundHalfUp(Decimal& number, std::size_t kept) {
  if (number.digits.size() <= kept) {
    return;
  }
  const bool up = number.digits[kept] >= '5';
  number.digits.resize(kept);
  if (!up) {
    return;
  }
  for (auto digit = number.digits.rbegin(); digit != number.digits.rend(); ++digit) {
    if (*digit != '9') {
      ++*digit;
      return;
    }
    *digit = '0';
  }
  number.digits.insert(number.digits.begin(), '1');
  ++number.integerDigits;
}

}  // namespace

std::string FormatFixed3(double value, std::size_t width) {
  constexpr std::size_t SIGNIFICANT_DIGITS = 17;
  constexpr std::size_t DECIMALS = 3;

  Decimal number = ExactDecimal(value);
  const std::size_t firstSignificant = number.digits.find_first_not_of('0');
  if (firstSignificant != std::string::npos) {
    RoundHalfUp(number, firstSignificant + SIGNIFICANT_DIGITS);
  }
  const std::size_t kept = static_cast<std::size_t>(number.integerDigits) + DECIMALS;
  if (number.digits.size() <= kept) {
    number.digits.resize(kept + 1, '0');
  }
  RoundHalfUp(number, kept);

  const auto integerDigits = static_cast<std::size_t>(number.integerDigits);
  std::string integerPart = number.digits.substr(0, integerDigits);
  integerPart.erase(0, std::min(integerPart.find_first_not_of('0'), integerPart.size() - 1));
  return RightAligned(integerPart + "." + number.digits.substr(integerDigits, DECIMALS), width);
}
