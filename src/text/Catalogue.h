#pragma once
// The message catalogue: every text the program shows, numbered, in English and Japanese.
//
// The texts live in src/text/messages/en.txt and ja.txt (the line format is described at the top
// of each file) and are compiled into the program, so nothing is read from disk at run time.
// A text may carry escapes that LoadMessage expands: "~1" to "~9" insert arguments, "~c" is a
// line break (CR LF), "~t" a tab.
#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tz {

enum class Language { English, Japanese };

// Number of the program title, also the caption of message boxes.
inline constexpr int MainTitleMessage = 5001;
// Number of the language code: "EN" in English, "JP" in Japanese.
inline constexpr int LanguageCodeMessage = 101;

// Returns the text of `number` in the active language with its escapes expanded. Argument text
// is inserted as it stands, never expanded again. A missing argument gives empty text.
// Throws std::out_of_range if the catalogue has no such number (a programming error).
std::string LoadMessage(int number, const std::vector<std::string>& args = {});

// Message 5001 with no arguments: the program title.
std::string MainTitle();

// The language whose texts LoadMessage returns. Chosen from the user's locale on first use
// (LanguageFromEnvironment) and kept for the whole run unless SetLanguage changes it.
Language ActiveLanguage();
void SetLanguage(Language language);

// Japanese when the first set of LC_ALL, LC_MESSAGES and LANG names the Japanese language
// ("ja", "ja_JP.UTF-8", "Japanese_Japan.932"); English for anything else, also when none is set.
Language LanguageFromLocale(const char* lcAll, const char* lcMessages, const char* lang);
Language LanguageFromEnvironment();

// Expands the escapes of a catalogue text (see LoadMessage).
std::string ExpandMessage(std::string_view text, const std::vector<std::string>& args);

// A catalogue data file that breaks the line format. The message names the line.
class CatalogueFormatError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

using MessageTable = std::map<std::uint16_t, std::string>;

// Reads catalogue data in the format of the message files: number to unexpanded text.
// Throws CatalogueFormatError on a malformed line or a repeated number.
MessageTable ParseCatalogue(std::string_view data);

// The unexpanded texts of one language, as compiled into the program.
const MessageTable& CatalogueTexts(Language language);

}  // namespace tz
