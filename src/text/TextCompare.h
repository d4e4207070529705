#pragma once
// Trimming and case-blind comparison of texts. Only the letters A to Z fold: bytes beyond ASCII
// (UTF-8 sequences of Japanese texts among them) compare as they stand, so the rules are the same
// in every language and never split a character.
#include <string>

namespace tz {

// The text without spaces at either end (other white space stays).
std::string TrimSpaces(const std::string& text);

// True when the two texts are equal once "a" to "z" are read as "A" to "Z".
bool SameTextIgnoringCase(const std::string& a, const std::string& b);

// True when `text` holds `part` somewhere, "a" to "z" read as "A" to "Z"; an empty part is held
// by every text.
bool HoldsTextIgnoringCase(const std::string& text, const std::string& part);

}  // namespace tz
