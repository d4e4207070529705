#include "text/Catalogue.h"

#include <cctype>
#include <cstdlib>
#include <optional>

namespace tz {

// Defined in the source file generated at build time from messages/en.txt and messages/ja.txt.
namespace catalogue_data {
std::string_view English();
std::string_view Japanese();
}  // namespace catalogue_data

namespace {

constexpr std::string_view kSpaces = " \t";
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

[[noreturn]] void FormatError(std::size_t lineNumber, const std::string& what) {
  throw CatalogueFormatError("message catalogue line " + std::to_string(lineNumber) + ": " + what);
}

std::string_view TrimLeft(std::string_view s) {
  const auto first = s.find_first_not_of(kSpaces);
  return first == std::string_view::npos ? std::string_view{} : s.substr(first);
}

// Reads the leading message number of a line; leaves `rest` after its digits.
std::uint16_t ParseNumber(std::string_view line, std::size_t lineNumber, std::string_view& rest) {
  std::size_t digits = 0;
  unsigned long value = 0;
  while (digits < line.size() && std::isdigit(static_cast<unsigned char>(line[digits]))) {
    value = value * 10 + static_cast<unsigned long>(line[digits] - '0');
    if (value > 0xFFFF) FormatError(lineNumber, "message number above 65535");
    ++digits;
  }
  if (digits == 0) FormatError(lineNumber, "expected a message number");
  rest = line.substr(digits);
  return static_cast<std::uint16_t>(value);
}

// The text between the first and the last double quote; only spaces may follow the last one.
std::string_view ParseQuotedText(std::string_view rest, std::size_t lineNumber) {
  if (rest.empty() || kSpaces.find(rest.front()) == std::string_view::npos)
    FormatError(lineNumber, "expected a space after the message number");
  rest = TrimLeft(rest);
  if (rest.empty() || rest.front() != '"') FormatError(lineNumber, "expected a quoted text");
  const auto close = rest.find_last_of('"');
  if (close == 0) FormatError(lineNumber, "the text has no closing quote");
  if (rest.find_first_not_of(kSpaces, close + 1) != std::string_view::npos)
    FormatError(lineNumber, "unexpected characters after the closing quote");
  return rest.substr(1, close - 1);
}

std::optional<Language> ActiveLanguageChoice;

}  // namespace

MessageTable ParseCatalogue(std::string_view data) {
  if (data.starts_with(kUtf8Bom)) data.remove_prefix(kUtf8Bom.size());
  MessageTable table;
  std::size_t lineNumber = 0;
  while (!data.empty()) {
    const auto end = data.find('\n');
    std::string_view line = data.substr(0, end);
    data = end == std::string_view::npos ? std::string_view{} : data.substr(end + 1);
    ++lineNumber;
    if (line.ends_with('\r')) line.remove_suffix(1);  // files edited on Windows
    line = TrimLeft(line);
    if (line.empty() || line.front() == '#') continue;

    std::string_view rest;
    const std::uint16_t number = ParseNumber(line, lineNumber, rest);
    const std::string_view text = ParseQuotedText(rest, lineNumber);
    if (!table.emplace(number, std::string(text)).second)
      FormatError(lineNumber, "message " + std::to_string(number) + " appears twice");
  }
  return table;
}

const MessageTable& CatalogueTexts(Language language) {
  // Parsed once, on first use; the data is part of the program.
  static const MessageTable english = ParseCatalogue(catalogue_data::English());
  static const MessageTable japanese = ParseCatalogue(catalogue_data::Japanese());
  return language == Language::Japanese ? japanese : english;
}

std::string ExpandMessage(std::string_view text, const std::vector<std::string>& args) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '~') {
      result += text[i];
      continue;
    }
    if (i + 1 == text.size()) break;  // a lone "~" at the end yields nothing
    const char e = text[++i];
    if (e == 'c' || e == 'C') {
      result += "\r\n";
    } else if (e == 't' || e == 'T') {
      result += '\t';
    } else if (e >= '1' && e <= '9') {
      const auto index = static_cast<std::size_t>(e - '1');
      if (index < args.size()) result += args[index];
    }
    // "~0", "~~" and any other escape yield nothing.
  }
  return result;
}

std::string LoadMessage(int number, const std::vector<std::string>& args) {
  const Language language = ActiveLanguage();
  const MessageTable& table = CatalogueTexts(language);
  const auto found = (number >= 0 && number <= 0xFFFF)
                         ? table.find(static_cast<std::uint16_t>(number))
                         : table.end();
  if (found == table.end())
    throw std::out_of_range("message " + std::to_string(number) + " is not in the " +
                            (language == Language::Japanese ? "Japanese" : "English") +
                            " catalogue");
  return ExpandMessage(found->second, args);
}

std::string MainTitle() { return LoadMessage(MainTitleMessage); }

Language LanguageFromLocale(const char* lcAll, const char* lcMessages, const char* lang) {
  // POSIX precedence: the first of these that is set and not empty decides.
  const char* locale = nullptr;
  for (const char* candidate : {lcAll, lcMessages, lang}) {
    if (candidate != nullptr && *candidate != '\0') {
      locale = candidate;
      break;
    }
  }
  if (locale == nullptr) return Language::English;

  // The language part ends at the territory, code set or modifier: "ja_JP.UTF-8@x".
  const std::string_view name(locale);
  std::string code(name.substr(0, name.find_first_of("_.@-")));
  for (char& c : code) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return code == "ja" || code == "japanese" ? Language::Japanese : Language::English;
}

Language LanguageFromEnvironment() {
  return LanguageFromLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                            std::getenv("LANG"));
}

Language ActiveLanguage() {
  if (!ActiveLanguageChoice) ActiveLanguageChoice = LanguageFromEnvironment();
  return *ActiveLanguageChoice;
}

void SetLanguage(Language language) { ActiveLanguageChoice = language; }

}  // namespace tz
