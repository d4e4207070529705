#pragma once
// Splits one line of text into tokens. The caller names the delimiter characters, the characters
// that open and close a quoted range and the characters that start a comment, then assigns the
// line to Source, which splits it at once; the tokens are read back by index.
//
// What readers rely on:
// - a run of delimiters yields no empty token, so an empty field between two delimiters vanishes;
// - a split resets TokenCount but not the slots: slots at and above TokenCount keep what an
//   earlier split left there, so only the first TokenCount tokens are valid;
// - a comment stores the rest of the line after the comment character in slot TokenCount without
//   counting it;
// - each character list holds at most 10 entries; later additions are ignored;
// - a split holds at most 256 tokens; a 257th raises TokenLimitError.
#include <array>
#include <string>

#include "text/Types.h"

namespace tz {

class clsToken {
public:
    static constexpr Integer MaxTokens = 256;
    static constexpr Integer MaxListEntries = 10;

    // Appends an entry to a character list unless it already holds 10.
    void AddDelimiters(const std::string& DelimChara);
    void AddStrings(const std::string& DelimChara);
    void AddComments(const std::string& DelimChara);

    // Empties a character list.
    void ClearDelimiters();
    void ClearStrings();
    void ClearComments();

    // Entry Index of a list; empty text when Index is not below the list's count. Assigning
    // replaces slot Index (0 to 9, others are ignored) without changing the count, so an entry
    // written at or above the count takes no part in splitting.
    std::string Delimiters(Integer Index) const;
    void Delimiters(Integer Index, const std::string& value);
    std::string StringRanges(Integer Index) const;
    void StringRanges(Integer Index, const std::string& value);
    std::string Comments(Integer Index) const;
    void Comments(Integer Index, const std::string& value);

    // Number of valid tokens of the last split; assigning it leaves the slots alone.
    Integer TokenCount() const { return tokenCount_; }
    void TokenCount(Integer value) { tokenCount_ = value; }

    // Slot IndexNo whatever TokenCount says; empty text for IndexNo outside 0 to 254 (slot 255
    // can be written but never read). Assigning outside 0 to 255 throws std::out_of_range.
    std::string Tokens(Integer IndexNo) const;
    void Tokens(Integer IndexNo, const std::string& value);

    // The line last assigned; assigning splits it at once.
    const std::string& Source() const { return source_; }
    void Source(const std::string& value);

private:
    struct CharacterList {
        std::array<std::string, MaxListEntries + 1> slots;
        Integer count = 0;

        void Add(const std::string& entry);
        void Clear();
        std::string Get(Integer index) const;
        void Set(Integer index, const std::string& entry);
        bool Contains(char c) const;
    };

    enum class CharacterKind { Ordinary, Delimiter, String, Comment };

    CharacterKind Classify(char c) const;
    void Split();
    void StoreNextToken(const std::string& token);

    std::string source_;
    CharacterList delimiters_;
    CharacterList strings_;
    CharacterList comments_;
    std::array<std::string, MaxTokens> tokens_;
    Integer tokenCount_ = 0;
};

}  // namespace tz
