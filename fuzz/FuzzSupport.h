#pragma once
// What every fuzz target shares: the libFuzzer entry point, the property check that stops the
// run with the input kept, and the round trips of the files the program writes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "instrument/clsInstrument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace tz::fuzz {

// A property the program must keep: reports what failed and aborts, so that libFuzzer keeps the
// input and a replay fails.
void Check(bool holds, std::string_view what, std::string_view detail = {});

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The lines in which two texts differ, each shown from both, for a failed round trip's report.
std::string DifferentLines(const std::string& a, const std::string& b);

// The record's settings file loads without an error, into the record itself and into a blank
// one, and saves to the same bytes.
void CheckSettingsRoundTrip(const clsInstrument& record);

// The record's JSON form reads into a fresh record that equals it, change flags included, and
// writes to the same bytes.
void CheckRecordJsonRoundTrip(const clsInstrument& record);

}  // namespace tz::fuzz
