#include "text/clsToken.h"

#include "text/Errors.h"

namespace tz {

void clsToken::CharacterList::Add(const std::string& entry) {
    if (count < MaxListEntries) slots[static_cast<std::size_t>(count++)] = entry;
}

void clsToken::CharacterList::Clear() {
    for (Integer i = 0; i < MaxListEntries; ++i) slots[static_cast<std::size_t>(i)].clear();
    count = 0;
}

std::string clsToken::CharacterList::Get(Integer index) const {
    return index >= 0 && index < count ? slots[static_cast<std::size_t>(index)] : std::string();
}

void clsToken::CharacterList::Set(Integer index, const std::string& entry) {
    if (index >= 0 && index < MaxListEntries) slots[static_cast<std::size_t>(index)] = entry;
}

// An entry matches only when it is exactly the one character.
bool clsToken::CharacterList::Contains(char c) const {
    for (Integer i = 0; i < count; ++i) {
        const std::string& entry = slots[static_cast<std::size_t>(i)];
        if (entry.size() == 1 && entry[0] == c) return true;
    }
    return false;
}

void clsToken::AddDelimiters(const std::string& DelimChara) { delimiters_.Add(DelimChara); }
void clsToken::AddStrings(const std::string& DelimChara) { strings_.Add(DelimChara); }
void clsToken::AddComments(const std::string& DelimChara) { comments_.Add(DelimChara); }

void clsToken::ClearDelimiters() { delimiters_.Clear(); }
void clsToken::ClearStrings() { strings_.Clear(); }
void clsToken::ClearComments() { comments_.Clear(); }

std::string clsToken::Delimiters(Integer Index) const { return delimiters_.Get(Index); }
void clsToken::Delimiters(Integer Index, const std::string& value) { delimiters_.Set(Index, value); }
std::string clsToken::StringRanges(Integer Index) const { return strings_.Get(Index); }
void clsToken::StringRanges(Integer Index, const std::string& value) { strings_.Set(Index, value); }
std::string clsToken::Comments(Integer Index) const { return comments_.Get(Index); }
void clsToken::Comments(Integer Index, const std::string& value) { comments_.Set(Index, value); }

std::string clsToken::Tokens(Integer IndexNo) const {
    return IndexNo >= 0 && IndexNo < MaxTokens - 1 ? tokens_[static_cast<std::size_t>(IndexNo)] : std::string();
}

void clsToken::Tokens(Integer IndexNo, const std::string& value) {
    if (IndexNo < 0 || IndexNo >= MaxTokens)
        throw std::out_of_range("token slot " + std::to_string(IndexNo) + " outside 0 to 255");
    tokens_[static_cast<std::size_t>(IndexNo)] = value;
}

void clsToken::Source(const std::string& value) {
    source_ = value;
    Split();
}

// A character in several lists counts as a comment first, then a string character, then a
// delimiter.
clsToken::CharacterKind clsToken::Classify(char c) const {
    if (comments_.Contains(c)) return CharacterKind::Comment;
    if (strings_.Contains(c)) return CharacterKind::String;
    if (delimiters_.Contains(c)) return CharacterKind::Delimiter;
    return CharacterKind::Ordinary;
}

void clsToken::StoreNextToken(const std::string& token) {
    if (tokenCount_ >= MaxTokens)
        throw TokenLimitError("a line holds more than " + std::to_string(MaxTokens) + " tokens");
    tokens_[static_cast<std::size_t>(tokenCount_)] = token;
    ++tokenCount_;
}

void clsToken::Split() {
    tokenCount_ = 0;
    std::string current;
    bool inQuote = false;
    for (std::size_t at = 0; at < source_.size(); ++at) {
        const char c = source_[at];
        switch (Classify(c)) {
        case CharacterKind::Ordinary:
            current += c;
            break;
        case CharacterKind::Delimiter:
            if (inQuote) {
                current += c;
            } else {
                if (!current.empty()) StoreNextToken(current);
                current.clear();
            }
            break;
        case CharacterKind::String:
            // Closing stores even an empty quoted token; text just before an opening one is dropped.
            if (inQuote) StoreNextToken(current);
            inQuote = !inQuote;
            current.clear();
            break;
        case CharacterKind::Comment:
            if (inQuote) {
                current += c;
                break;
            }
            // The comment text is kept uncounted in the next free slot; with all slots taken it
            // is dropped, as it is not a token.
            if (tokenCount_ < MaxTokens) tokens_[static_cast<std::size_t>(tokenCount_)] = source_.substr(at + 1);
            return;
        }
    }
    if (!current.empty()) StoreNextToken(current);
}

}  // namespace tz
