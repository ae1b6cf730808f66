// Fixed-point text of a non-negative double, as a classic "%W.3lf" formatter produces it.
#pragma once

#include <cstddef>
#include <string>

// Formats `value` with exactly three decimals, right-aligned with spaces in a field of at least
// `width` characters (wider values widen the field). The decimals come from two roundings, each
// taking a 5 upwards: first to 17 significant digits (on the 18th digit of the exact binary
// value), then to three decimals (on the fourth). So 0.0625 gives "0.063" and the double nearest
// 0.0115, which lies a trace below it, gives "0.012". `value` must be finite and not negative.
std::string FormatFixed3(double value, std::size_t width);
