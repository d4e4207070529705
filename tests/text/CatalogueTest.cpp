#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <optional>
#include <set>
#include <utility>

#include "text/Catalogue.h"

namespace tz {
namespace {

// Sets the active language for one test and puts the previous one back afterwards.
class LanguageScope {
public:
  explicit LanguageScope(Language language) : previous_(ActiveLanguage()) { SetLanguage(language); }
  ~LanguageScope() { SetLanguage(previous_); }
  LanguageScope(const LanguageScope&) = delete;
  LanguageScope& operator=(const LanguageScope&) = delete;

private:
  Language previous_;
};

// The numbers the English catalogue must hold, as inclusive ranges.
std::set<int> ListedEnglishNumbers() {
  static const std::pair<int, int> ranges[] = {
      {99, 99},       {101, 101},     {1000, 1000},   {2000, 2001},   {3000, 3001},
      {4000, 4001},   {5000, 5009},   {5011, 5012},   {5020, 5060},   {5100, 5107},
      {5150, 5164},   {5200, 5204},   {5208, 5224},   {5226, 5233},   {5250, 5264},
      {5300, 5383},   {5386, 5389},   {5400, 5445},   {5447, 5473},   {5500, 5591},
      {5600, 5657},   {5661, 5681},   {5700, 5701},   {5710, 5712},   {5750, 5750},
      {6000, 6020},   {6024, 6024},   {6028, 6028},   {6032, 6032},   {6036, 6037},
      {6050, 6058},   {7000, 7011},   {7100, 7105},   {8000, 8053},   {8056, 8062},
      {8064, 8071},   {8073, 8075},   {8080, 8087},   {8089, 8121},   {9000, 9006},
      {9201, 9201},   {20000, 20011}, {20014, 20018},
      // Main window.
      {30100, 30108},
      // Settings grid and calibration rules.
      {30300, 30313}, {30315, 30321}, {30330, 30335}, {30340, 30346}, {30400, 30404},
      {30450, 30451}, {30460, 30466}, {30700, 30711}, {30720, 30724}, {30900, 30928}};
  std::set<int> numbers;
  for (const auto& [first, last] : ranges)
    for (int n = first; n <= last; ++n) numbers.insert(n);
  return numbers;
}

std::set<int> NumbersOf(const MessageTable& table) {
  std::set<int> numbers;
  for (const auto& entry : table) numbers.insert(entry.first);
  return numbers;
}

// The escapes of a text, letters folded to lower case, in sorted order.
std::multiset<std::string> EscapesOf(const std::string& text) {
  std::multiset<std::string> escapes;
  for (std::size_t i = text.find('~'); i != std::string::npos; i = text.find('~', i + 2)) {
    std::string escape = text.substr(i, 2);
    if (escape.size() == 2) escape[1] = static_cast<char>(std::tolower(escape[1]));
    escapes.insert(escape);
  }
  return escapes;
}

bool IsValidUtf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3
                               : (lead >> 3) == 0x1E                ? 4
                                                                    : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += length;
  }
  return true;
}

// --- the compiled-in catalogues -------------------------------------------------------------

TEST(Catalogue, EnglishCatalogue_HoldsExactlyTheListedNumbers) {
  const std::set<int> english = NumbersOf(CatalogueTexts(Language::English));
  EXPECT_EQ(english, ListedEnglishNumbers());
}

TEST(Catalogue, JapaneseCatalogue_HoldsTheEnglishNumbersPlusLabel9200) {
  std::set<int> expected = ListedEnglishNumbers();
  expected.insert(9200);
  const std::set<int> japanese = NumbersOf(CatalogueTexts(Language::Japanese));
  EXPECT_EQ(japanese, expected);
}

TEST(Catalogue, EveryNumber_CarriesTheSameEscapesInBothLanguages) {
  const MessageTable& japanese = CatalogueTexts(Language::Japanese);
  for (const auto& [number, english] : CatalogueTexts(Language::English)) {
    const auto found = japanese.find(number);
    ASSERT_NE(found, japanese.end()) << number;
    EXPECT_EQ(EscapesOf(found->second), EscapesOf(english)) << "message " << number;
  }
}

TEST(Catalogue, AllTexts_AreUtf8AndUseOnlyKnownEscapes) {
  const std::set<std::string> known = {"~1", "~2", "~3", "~4", "~c", "~t"};
  for (Language language : {Language::English, Language::Japanese}) {
    for (const auto& [number, text] : CatalogueTexts(language)) {
      EXPECT_TRUE(IsValidUtf8(text)) << "message " << number;
      for (const std::string& escape : EscapesOf(text))
        EXPECT_TRUE(known.count(escape)) << "message " << number << " has " << escape;
    }
  }
}

TEST(Catalogue, LanguageCode_NamesTheActiveLanguage) {
  {
    LanguageScope english(Language::English);
    EXPECT_EQ(LoadMessage(LanguageCodeMessage), "EN");
  }
  LanguageScope japanese(Language::Japanese);
  EXPECT_EQ(LoadMessage(LanguageCodeMessage), "JP");
}

TEST(Catalogue, QuotedEnglishTexts_AreKeptVerbatim) {
  LanguageScope english(Language::English);
  const std::pair<int, const char*> cases[] = {
      {99, "It has already started."},
      {3001, "Get TZ-7300 Instrument Information!"},
      {5001, "TZ-7300 - Setup Program"},
      {5047, "Information Get && Save"},
      {5315, "Another application using serial port!. Don't use."},
      {5383, "TE is Disabled "},          // trailing space kept
      {8039, "Export      csv file"},     // inner run of spaces kept
      {5666, "Gas|Select|Auto Cal.(F)|Current Reading"},
      {20001, "Over"},
      {20015, "module finder error"},
  };
  for (const auto& [number, text] : cases) EXPECT_EQ(LoadMessage(number), text) << number;
}

TEST(Catalogue, MainTitle_IsMessage5001InTheActiveLanguage) {
  {
    LanguageScope english(Language::English);
    EXPECT_EQ(MainTitle(), "TZ-7300 - Setup Program");
  }
  LanguageScope japanese(Language::Japanese);
  EXPECT_EQ(MainTitle(), CatalogueTexts(Language::Japanese).at(5001));
  EXPECT_NE(MainTitle(), "TZ-7300 - Setup Program");
}

TEST(Catalogue, UnknownNumber_IsRefused) {
  LanguageScope english(Language::English);
  for (int number : {0, 100, 5010, 9200, 12345, -1, 70000})
    EXPECT_THROW(LoadMessage(number), std::out_of_range) << number;
  SetLanguage(Language::Japanese);
  EXPECT_EQ(LoadMessage(9200), "frmCalibration");
}

// --- escape expansion -----------------------------------------------------------------------

TEST(LoadMessage, CatalogueRows_ExpandTheirEscapes) {
  LanguageScope english(Language::English);
  EXPECT_EQ(LoadMessage(6009, {"5"}), "Fresh air flowing to unit. Wait 5sec");
  EXPECT_EQ(LoadMessage(6020, {"CO", "ppm"}), "CO\tppm\t\t ... FAIL.");
  EXPECT_EQ(LoadMessage(8001),
            "This instrument would not accept the command. \r\n Check the software version number.");
  EXPECT_EQ(LoadMessage(20017, {"3"}), "PID list (3) is already set ()");
  EXPECT_EQ(LoadMessage(6037), "Gas\tBefore\tAfter\tAutoCal\t...Result");
}

TEST(ExpandMessage, EscapeRules) {
  struct Case {
    const char* text;
    std::vector<std::string> args;
    const char* expected;
  };
  const Case cases[] = {
      {"a~cb~Cc", {}, "a\r\nb\r\nc"},               // line break, either case
      {"a~tb~Tc", {}, "a\tb\tc"},                   // tab, either case
      {"<~1|~2>", {"x", "y"}, "<x|y>"},
      {"<~2~1>", {"x", "y"}, "<yx>"},               // arguments in any order
      {"<~3>", {"x"}, "<>"},                        // missing argument gives empty text
      {"<~1>", {}, "<>"},
      {"<~0>", {"x"}, "<>"},                        // no argument 0
      {"<~12>", {"x"}, "<x2>"},                     // one character follows "~"
      {"<~9>", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}, "<9>"},
      {"<~~1>", {"x"}, "<1>"},                      // "~~" yields nothing
      {"<~x~%>", {}, "<>"},                         // unknown escapes yield nothing
      {"end~", {}, "end"},                          // lone "~" at the end
      {"", {"x"}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ExpandMessage(c.text, c.args), c.expected) << c.text;
}

TEST(ExpandMessage, ArgumentText_IsInsertedWithoutExpansion) {
  EXPECT_EQ(ExpandMessage("File: ~1.", {"C:\\log~1\\~c~2.csv"}), "File: C:\\log~1\\~c~2.csv.");
  EXPECT_EQ(ExpandMessage("~1~2", {"~", "1"}), "~1");
}

// --- language choice ------------------------------------------------------------------------

TEST(LanguageFromLocale, FirstSetVariableDecides) {
  struct Case {
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    Language expected;
  };
  const auto En = Language::English;
  const auto Ja = Language::Japanese;
  const Case cases[] = {
      {nullptr, nullptr, nullptr, En},
      {nullptr, nullptr, "ja_JP.UTF-8", Ja},
      {nullptr, nullptr, "ja", Ja},
      {nullptr, nullptr, "JA_JP.eucJP", Ja},
      {nullptr, nullptr, "Japanese_Japan.932", Ja},
      {nullptr, nullptr, "ja-JP", Ja},
      {nullptr, nullptr, "en_US.UTF-8", En},
      {nullptr, nullptr, "C", En},
      {nullptr, nullptr, "jv_ID", En},
      {"", "", "ja_JP.UTF-8", Ja},                  // empty variables are skipped
      {"C", nullptr, "ja_JP.UTF-8", En},            // LC_ALL overrides LANG
      {nullptr, "en_GB.UTF-8", "ja_JP.UTF-8", En},  // LC_MESSAGES overrides LANG
      {nullptr, "ja_JP.UTF-8", "en_US.UTF-8", Ja},
      {"ja_JP.UTF-8@cjk", "en_GB", "en_US", Ja},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LanguageFromLocale(c.lcAll, c.lcMessages, c.lang), c.expected)
        << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-") << " "
        << (c.lang ? c.lang : "-");
}

void SetEnvironment(const char* name, const char* value) {
#ifdef _WIN32
  _putenv_s(name, value ? value : "");
#else
  if (value) ::setenv(name, value, 1);
  else ::unsetenv(name);
#endif
}

// Sets an environment variable for one test and restores it afterwards.
class EnvironmentScope {
public:
  EnvironmentScope(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) previous_ = old;
    SetEnvironment(name, value);
  }
  ~EnvironmentScope() { SetEnvironment(name_, previous_ ? previous_->c_str() : nullptr); }
  EnvironmentScope(const EnvironmentScope&) = delete;
  EnvironmentScope& operator=(const EnvironmentScope&) = delete;

private:
  const char* name_;
  std::optional<std::string> previous_;
};

TEST(LanguageFromEnvironment, ReadsTheLocaleVariables) {
  {
    EnvironmentScope all("LC_ALL", "ja_JP.UTF-8");
    EXPECT_EQ(LanguageFromEnvironment(), Language::Japanese);
  }
  EnvironmentScope all("LC_ALL", "en_US.UTF-8");
  EXPECT_EQ(LanguageFromEnvironment(), Language::English);
}

// --- data file format -----------------------------------------------------------------------

TEST(ParseCatalogue, LineFormat_KeepsTextAsWritten) {
  const std::string data =
      "\xEF\xBB\xBF# comment\n"
      "\n"
      "   # indented comment\n"
      "1 \"  spaces kept  \"\n"
      "2\t\"say \"hi\" twice\"   \n"
      "3 \"windows line\"\r\n"
      "00004 \"\"\n"
      "65535 \"last ~1~c\"";
  const MessageTable table = ParseCatalogue(data);
  const MessageTable expected = {{1, "  spaces kept  "},
                                 {2, "say \"hi\" twice"},
                                 {3, "windows line"},
                                 {4, ""},
                                 {65535, "last ~1~c"}};
  EXPECT_EQ(table, expected);
}

TEST(ParseCatalogue, MalformedLines_AreRefusedWithTheirLineNumber) {
  const char* cases[] = {
      "x \"text\"",          // no number
      "12\"text\"",          // no space after the number
      "12 text",             // not quoted
      "12 \"text",           // no closing quote
      "12 \"text\" extra",   // characters after the closing quote
      "65536 \"text\"",      // beyond 16 bits
      "12",                  // number only
  };
  for (const char* line : cases) {
    const std::string data = std::string("1 \"ok\"\n") + line + "\n";
    try {
      ParseCatalogue(data);
      ADD_FAILURE() << "accepted: " << line;
    } catch (const CatalogueFormatError& error) {
      EXPECT_NE(std::string(error.what()).find("line 2"), std::string::npos) << error.what();
    }
  }
}

TEST(ParseCatalogue, RepeatedNumber_IsRefused) {
  EXPECT_THROW(ParseCatalogue("7 \"a\"\n7 \"b\"\n"), CatalogueFormatError);
}

}  // namespace
}  // namespace tz
