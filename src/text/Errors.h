#pragma once
// The few error types that routines raise to their callers. Index errors use std::out_of_range.
// Routines that are documented to absorb conversion problems (the reply decoder, file imports)
// catch exactly these types.
#include <stdexcept>
#include <string>
#include <utility>

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

// A text file (a settings or list file) that cannot be used. For a faulty line LineNumber() (from
// 1) and Line() name it; they are 0 and empty when the file as a whole is at fault.
class FileLineError : public std::runtime_error {
public:
  FileLineError(const std::string& message, int lineNumber, std::string line)
      : std::runtime_error(message), lineNumber_(lineNumber), line_(std::move(line)) {}
  int LineNumber() const { return lineNumber_; }
  const std::string& Line() const { return line_; }

private:
  int lineNumber_;
  std::string line_;
};

}  // namespace tz
