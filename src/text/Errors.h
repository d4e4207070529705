#pragma once
// The few error types that routines raise to their callers. Index errors use std::out_of_range.
// Routines that are documented to absorb conversion problems (the reply decoder, file imports)
// catch exactly these types.
#include <stdexcept>
#include <string>

namespace tz {

// A text could not be converted to the number or date it should hold.
class ConversionError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// A number does not fit the integer type it is stored in.
class OverflowError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// A line split into more tokens than a tokenizer holds. It is an index error, so code that handles
// std::out_of_range handles it too; a reader of untrusted lines can catch this type alone.
class TokenLimitError : public std::out_of_range {
public:
  using std::out_of_range::out_of_range;
};

}  // namespace tz
