// The tokenizer on any line with any character lists: the first byte sets how many of the next
// bytes are delimiters, quote and comment characters; the rest is the line. Every split keeps
// the token limit and hands out only the tokens it counted.
#include <string>

#include "FuzzSupport.h"
#include "text/Errors.h"
#include "text/clsToken.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tz;
    if (size == 0) return 0;
    const int delimiters = data[0] & 3, strings = (data[0] >> 2) & 3, comments = (data[0] >> 4) & 3;
    std::size_t at = 1;
    auto next = [&]() -> std::string {
        return at < size ? std::string(1, static_cast<char>(data[at++])) : std::string();
    };
    clsToken tokens;
    for (int i = 0; i < delimiters; ++i) tokens.AddDelimiters(next());
    for (int i = 0; i < strings; ++i) tokens.AddStrings(next());
    for (int i = 0; i < comments; ++i) tokens.AddComments(next());
    const std::string line(fuzz::AsText(data + std::min(at, size), size - std::min(at, size)));

    // The same tokenizer splits twice: what the first split left must not disturb the second.
    for (int pass = 0; pass < 2; ++pass) {
        try {
            tokens.Source(line);
        } catch (const TokenLimitError&) {
            fuzz::Check(tokens.TokenCount() <= clsToken::MaxTokens, "the token limit holds");
            continue;
        }
        fuzz::Check(tokens.TokenCount() >= 0 && tokens.TokenCount() <= clsToken::MaxTokens,
                    "the token count is within the limit");
        std::size_t characters = 0;
        for (Integer i = 0; i < tokens.TokenCount(); ++i) characters += tokens.Tokens(i).size();
        fuzz::Check(characters <= line.size(), "tokens hold no more than the line");
    }
    return 0;
}
