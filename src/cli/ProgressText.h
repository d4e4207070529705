#pragma once
// The texts of the progress line that long operations show on a terminal.
#include <string>

namespace tz::cli {

// Whole seconds as "0:07", "12:30" or "1:02:03".
std::string DurationText(double seconds);

// "Reading 57 of 328".
std::string ReadProgressText(int done, int total);

// "Writing: 1 command sent", "Writing: 54 commands sent".
std::string WriteProgressText(std::size_t sent);

// A wait whose length the instrument decides: "Start Data Removal. ... 0:12 elapsed".
std::string WaitProgressText(const std::string& what, double elapsedSeconds);

// "Flash image: 416 of 2048 blocks (20%), 0:35 left"; the time left once a block has arrived.
std::string BlockProgressText(const std::string& what, int done, int total, double elapsedSeconds);

// "Dump list: 57 blocks, 0:12 elapsed".
std::string ListingProgressText(long blocks, double elapsedSeconds);

}  // namespace tz::cli
