#pragma once
// Catalogue texts as the command line prints them, and the small output helpers every command
// shares.
#include <string>
#include <vector>

#include "text/Types.h"

namespace tz::cli {

// The catalogue message with its arguments, its line breaks as "\n" and without the line break
// or spaces that many messages end with (they were meant for the information pane).
std::string Text(int number, const std::vector<std::string>& args = {});

// The text without spaces at either end.
std::string Trim(const std::string& text);

// A value for people: "-" for an empty text.
std::string OrDash(const std::string& text);

// "yyyy/mm/dd hh:nn:ss", or "-" for the record's "no date" (-101) and other impossible dates.
std::string DateText(Date value);

// A difference of days as "+1d 02:03:04" / "-00:00:05".
std::string OffsetText(Date days);

}  // namespace tz::cli
