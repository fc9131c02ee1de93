// Numbers in decimal text exactly as printf's "%f" and "%d" write them,
// without printf's cost for the values an aircraft has.
#pragma once

#include <cstddef>

// Writes `value` into `out` (size bytes) as "%f" would in the default rounding
// mode: the exact binary value rounded to six decimals, ties to even, with a
// "-" for every negative value (also -0.0 and those rounding to zero). True
// when the whole text fitted; otherwise it is cut, always terminated, and
// nothing is written when size is 0.
bool formatFixed(char* out, size_t size, double value);

// Writes `value` into `out` as "%d" would; true when it fitted, cut as above otherwise.
bool formatInteger(char* out, size_t size, int value);
