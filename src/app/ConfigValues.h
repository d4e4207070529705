#pragma once
// Reading and writing the values of configuration-file lines: the numeric test, conversions with a
// key's fallback, and the number format the file is written in.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "text/NumberFormat.h"
#include "text/Types.h"

namespace tz {

// The keys of the 14 checked converter rows, in row order, as the file writes them.
inline constexpr std::array<const char*, 14> AdCheckKeys = {
    "ch0", "ch1", "ch2", "ch3", "ch4", "ch5", "ch6", "ch7", "ch12", "ch13", "ex1", "ex2", "ex3", "ex4"};

// Ends the reading of the configuration file: a value that may not stand was met.
struct StopReading {};

// Upper-cases the letters a to z; every other byte stays as it is.
std::string UpperAscii(std::string text);

// A single-precision value in its shortest decimal form without exponent ("19.5", "-101", "0.2").
std::string ConfigNumber(Single value);

// The values of one line, after its key. Accessors return nothing when the value is absent (the
// setting keeps its value), the key's fallback when the value is not a number, and throw
// StopReading when a number does not fit its field.
class ConfigValues {
public:
    explicit ConfigValues(std::vector<std::string> values) : values_(std::move(values)) {}

    bool Has(std::size_t i) const { return i < values_.size(); }
    bool IsNumber(std::size_t i) const { return Has(i) && IsNumericText(values_[i]); }

    std::optional<std::string> Text(std::size_t i) const;
    // True when the value, upper-cased, is trueWord.
    std::optional<bool> Flag(std::size_t i, const char* trueWord) const;
    std::optional<Integer> Int16(std::size_t i, Integer fallback) const;
    std::optional<Long> Int32(std::size_t i, Long fallback) const;
    std::optional<Single> Number(std::size_t i, Single fallback) const;
    // A number with fallback 0.
    std::optional<Single> Level(std::size_t i) const { return Number(i, 0.0f); }
    // A level that -1 switches off: stored as the record's "not set" value.
    std::optional<Single> OffLevel(std::size_t i) const;
    // A 16-bit value without fallback: a value that is not a number ends the reading.
    std::optional<Integer> StrictInt16(std::size_t i) const;

    void Set(std::size_t i, Integer& target, Integer fallback) const { Assign(target, Int16(i, fallback)); }
    void Set(std::size_t i, Long& target, Long fallback) const { Assign(target, Int32(i, fallback)); }
    void Set(std::size_t i, Single& target, Single fallback) const { Assign(target, Number(i, fallback)); }
    void SetFlag(std::size_t i, bool& target, const char* trueWord) const { Assign(target, Flag(i, trueWord)); }
    void SetText(std::size_t i, std::string& target) const { Assign(target, Text(i)); }

private:
    template <class T>
    static void Assign(T& target, const std::optional<T>& value) {
        if (value) target = *value;
    }

    std::vector<std::string> values_;
};

}  // namespace tz
