#pragma once
// Game texts are cp932 byte strings; conversion to Unicode happens only at
// the toolkit's edge (display, typing, file names).
#include <cstdint>
#include <string>

namespace ikea {

using Text = std::string;

// Decimal text of an integer: no grouping, a leading "-" when negative.
inline Text n(std::int64_t value) { return std::to_string(value); }

} // namespace ikea
