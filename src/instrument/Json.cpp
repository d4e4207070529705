#include "instrument/Json.h"

#include <cstdint>
#include <algorithm>
#include <iterator>
#include <unordered_set>
#include <utility>

#include <nlohmann/json.hpp>

namespace tz {

JsonError::JsonError(const std::string& what, std::size_t offset, std::size_t line,
                     std::size_t column)
    : std::runtime_error(what + " at line " + std::to_string(line) + ", column " +
                         std::to_string(column) + " (byte " + std::to_string(offset) + ")"),
      offset_(offset), line_(line), column_(column) {}

JsonValue JsonValue::Bool(bool value) {
    JsonValue v;
    v.type_ = Type::Bool;
    v.bool_ = value;
    return v;
}

JsonValue JsonValue::Number(std::string text) {
    JsonValue v;
    v.type_ = Type::Number;
    v.text_ = std::move(text);
    return v;
}

JsonValue JsonValue::String(std::string utf8) {
    JsonValue v;
    v.type_ = Type::String;
    v.text_ = std::move(utf8);
    return v;
}

JsonValue JsonValue::Array() {
    JsonValue v;
    v.type_ = Type::Array;
    return v;
}

JsonValue JsonValue::Object() {
    JsonValue v;
    v.type_ = Type::Object;
    return v;
}

void JsonValue::Append(JsonValue value) { items_.push_back(std::move(value)); }

const JsonValue* JsonValue::Find(std::string_view key) const {
    for (std::size_t i = 0; i < keys_.size(); ++i)
        if (keys_[i] == key) return &items_[i];
    return nullptr;
}

bool JsonValue::Add(std::string key, JsonValue value) {
    if (Find(key)) return false;
    keys_.push_back(std::move(key));
    items_.push_back(std::move(value));
    return true;
}

// ---- Reading ----
//
// nlohmann-json checks the grammar and decodes strings; the reader builds JsonValues from its
// events. The library's events and errors carry no usable place in the text, so the reader feeds
// it through an iterator that records how far it has read, and finds the start of the token at
// fault from there.

namespace {

// Reads the text and notes the furthest byte handed out. A NUL byte is handed out as U+0001:
// nlohmann-json takes NUL for the end of the input, and neither byte may stand unescaped
// anywhere in JSON, so the text is refused as before, at the same place.
class TrackingIterator {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = char;

    TrackingIterator(const char* at, const char** furthest) : at_(at), furthest_(furthest) {}
    char operator*() const { return *at_ == '\0' ? '\x01' : *at_; }
    TrackingIterator& operator++() {
        *furthest_ = ++at_;
        return *this;
    }
    TrackingIterator operator++(int) {
        TrackingIterator before = *this;
        ++*this;
        return before;
    }
    bool operator==(const TrackingIterator& other) const { return at_ == other.at_; }
    bool operator!=(const TrackingIterator& other) const { return at_ != other.at_; }

private:
    const char* at_;
    const char** furthest_;
};

bool IsNumberCharacter(char c) {
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E';
}

bool StartsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

}  // namespace

class JsonReader {
public:
    explicit JsonReader(std::string_view text) : text_(text), furthest_(text.data()) {}

    JsonValue ReadDocument() {
        // A byte order mark is no part of the JSON text (nlohmann-json would skip one).
        if (!text_.empty() && static_cast<unsigned char>(text_[0]) == 0xEF)
            FailAt("unexpected character, expected a value", 0);
        const TrackingIterator first(text_.data(), &furthest_);
        const TrackingIterator last(text_.data() + text_.size(), &furthest_);
        nlohmann::json::sax_parse(first, last, this);
        return std::move(root_);
    }

    // ---- Events of nlohmann-json ----

    bool null() { return Store(JsonValue()); }
    bool boolean(bool value) { return Store(JsonValue::Bool(value)); }
    bool number_integer(std::int64_t) { return StoreNumber(); }
    bool number_unsigned(std::uint64_t) { return StoreNumber(); }
    bool number_float(double, const std::string&) { return StoreNumber(); }
    bool string(std::string& value) { return Store(JsonValue::String(std::move(value))); }
    bool binary(nlohmann::json::binary_t&) { return false; }  // not produced for JSON text

    bool start_object(std::size_t) { return Open(JsonValue::Object()); }
    bool start_array(std::size_t) { return Open(JsonValue::Array()); }
    bool end_object() { return Close(); }
    bool end_array() { return Close(); }

    bool key(std::string& key) {
        // The key's closing quote was the last byte read.
        const std::size_t keyAt = StringStart(Read() - 1);
        if (!open_.back().keys.insert(key).second) FailAt("repeated key \"" + key + "\"", keyAt);
        open_.back().value.keys_.push_back(std::move(key));
        return true;
    }

    bool parse_error(std::size_t position, const std::string& lastToken,
                     const nlohmann::json::exception& error) {
        Explain(position, lastToken, error);
        return false;
    }

private:
    // An array or object still being read, with the keys it has so far.
    struct Container {
        JsonValue value;
        std::unordered_set<std::string> keys;
    };

    std::string_view text_;
    const char* furthest_;
    std::vector<Container> open_;
    JsonValue root_;

    [[noreturn]] void FailAt(const std::string& what, std::size_t at) const {
        std::size_t line = 1, lineStart = 0;
        for (std::size_t i = 0; i < at && i < text_.size(); ++i)
            if (text_[i] == '\n') {
                ++line;
                lineStart = i + 1;
            }
        throw JsonError(what, at, line, at - lineStart + 1);
    }

    // Bytes handed to the library so far.
    std::size_t Read() const { return static_cast<std::size_t>(furthest_ - text_.data()); }

    bool Store(JsonValue value) {
        if (open_.empty()) root_ = std::move(value);
        else open_.back().value.items_.push_back(std::move(value));
        return true;
    }

    // A number keeps its text as written. The library has read one byte past it unless the
    // text ended; that byte cannot belong to a number in a text that is still valid.
    bool StoreNumber() {
        std::size_t end = Read();
        if (end > 0 && !IsNumberCharacter(text_[end - 1])) --end;
        std::size_t start = end;
        while (start > 0 && IsNumberCharacter(text_[start - 1])) --start;
        return Store(JsonValue::Number(std::string(text_.substr(start, end - start))));
    }

    bool Open(JsonValue value) {
        if (open_.size() >= JsonMaxDepth)
            FailAt("nesting deeper than " + std::to_string(JsonMaxDepth), Read() - 1);
        open_.push_back({std::move(value), {}});
        return true;
    }

    bool Close() {
        JsonValue done = std::move(open_.back().value);
        open_.pop_back();
        return Store(std::move(done));
    }

    // ---- Places in the text ----

    // The opening quote of the string that holds the byte before `end`: the nearest quote
    // before it that is not escaped (the text before an error is valid).
    std::size_t StringStart(std::size_t end) const {
        for (std::size_t i = std::min(end, text_.size()); i-- > 0;) {
            if (text_[i] != '"') continue;
            std::size_t backslashes = 0;
            while (backslashes < i && text_[i - 1 - backslashes] == '\\') ++backslashes;
            if (backslashes % 2 == 0) return i;
        }
        return 0;
    }

    // Bytes of the UTF-8 sequence that `lead` starts (1 for a byte that starts none).
    static std::size_t Utf8Length(char lead) {
        const auto c = static_cast<unsigned char>(lead);
        return c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 1;
    }

    // Within the string opened at `start`: the escape or UTF-8 sequence that holds byte `at`,
    // or (surrogates) the last \u escape before it.
    std::size_t PartStart(std::size_t start, std::size_t at, bool surrogate) const {
        std::size_t part = start, lastUnicode = start;
        for (std::size_t i = start + 1; i <= at && i < text_.size();) {
            part = i;
            const auto c = static_cast<unsigned char>(text_[i]);
            std::size_t length = 1;
            if (c == '\\') {
                const bool unicode = i + 1 < text_.size() && text_[i + 1] == 'u';
                if (unicode && i < at) lastUnicode = i;
                length = unicode ? 6 : 2;
            } else {
                length = Utf8Length(text_[i]);
            }
            i += length;
        }
        return surrogate ? lastUnicode : part;
    }

    // A faulty string token: the reason and the place, as the program words them.
    [[noreturn]] void FailString(std::string_view message, std::size_t lastRead) const {
        const std::size_t start = StringStart(lastRead);
        if (Contains(message, "missing closing quote")) FailAt("unterminated string", start);
        if (Contains(message, "control character"))
            FailAt("control character in a string must be escaped", lastRead);
        if (Contains(message, "4 hex digits"))
            FailAt("expected four hexadecimal digits after \\u", lastRead);
        if (Contains(message, "forbidden character after backslash")) {
            if (lastRead >= text_.size()) FailAt("unterminated string", lastRead);
            FailAt("invalid escape", PartStart(start, lastRead, false));
        }
        if (Contains(message, "must be followed by U+DC00"))
            FailAt("unpaired high surrogate", PartStart(start, lastRead, true));
        if (Contains(message, "must follow U+D800"))
            FailAt("unpaired low surrogate", PartStart(start, lastRead, true));
        const std::size_t part = PartStart(start, lastRead, false);
        if (part == lastRead && Utf8Length(text_[part]) == 1) FailAt("invalid UTF-8 byte", part);
        if (part + Utf8Length(text_[part]) > text_.size()) FailAt("truncated UTF-8 sequence", part);
        FailAt("invalid UTF-8 sequence", part);
    }

    [[noreturn]] void FailNumber(std::string_view message, std::size_t lastRead) const {
        if (Contains(message, "after '-'")) FailAt("expected a digit", lastRead);
        if (Contains(message, "after '.'"))
            FailAt("expected a digit after the decimal point", lastRead);
        FailAt("expected a digit in the exponent", lastRead);
    }

    // Bytes of "true", "false" or "null" matched before the byte at `lastRead` did not fit;
    // 0 when no literal was begun.
    std::size_t LiteralPrefix(std::size_t lastRead) const {
        for (const std::string_view literal : {"true", "false", "null"})
            for (std::size_t n = literal.size() - 1; n >= 1; --n)
                if (n <= lastRead && text_.substr(lastRead - n, n) == literal.substr(0, n))
                    return n;
        return 0;
    }

    // Where a number token starts: its token text is its bytes as read, a control character
    // that ended it spelled "<U+00XX>".
    std::size_t NumberStart(std::size_t position, const std::string& lastToken) const {
        const std::size_t tail = lastToken.find('<');
        const std::size_t length = tail == std::string::npos ? lastToken.size() : tail + 1;
        const std::size_t end = std::min(position, text_.size());  // reading the end counts too
        return end > length ? end - length : 0;
    }

    // Where the token at fault starts. `token` is the library's name for a whole token that
    // came where it may not ("number literal", "']'"), or empty for one it could not read.
    std::size_t TokenStart(std::string_view token, std::string_view lexerMessage,
                           std::size_t position, const std::string& lastToken) const {
        const std::size_t lastRead = position - 1;  // the byte it stopped at, or the end
        if (StartsWith(lexerMessage, "invalid string")) return StringStart(lastRead);
        if (StartsWith(lexerMessage, "invalid literal")) return lastRead - LiteralPrefix(lastRead);
        // A number's token text is its bytes as read (no control character before the fault).
        if (StartsWith(lexerMessage, "invalid number") || token == "number literal")
            return NumberStart(position, lastToken);
        if (token == "string literal") return StringStart(lastRead);
        if (token == "true literal" || token == "null literal") return position - 4;
        if (token == "false literal") return position - 5;
        if (token == "end of input") return text_.size();
        return lastRead;
    }

    // Turns the library's error into the program's wording and place, and throws it.
    [[noreturn]] void Explain(std::size_t position, const std::string& lastToken,
                              const nlohmann::json::exception& error) const {
        const std::string_view what = error.what();
        if (position == 0) position = 1;
        const std::size_t lastRead = std::min(position - 1, text_.size());
        if (error.id == 406)  // a number beyond the range of a double
            FailAt("number out of range", NumberStart(position, lastToken));
        // "syntax error while parsing <context> - <problem>[; expected <what>]", the problem
        // being "unexpected <token>" or the lexer's own message.
        const std::size_t contextAt = what.find("while parsing ");
        const std::size_t dash = what.find(" - ", contextAt);
        if (contextAt == std::string_view::npos || dash == std::string_view::npos)
            FailAt("malformed JSON", lastRead);
        const std::string_view context = what.substr(contextAt + 14, dash - contextAt - 14);
        const std::string_view problem = what.substr(dash + 3);
        std::string_view token, lexerMessage;
        if (StartsWith(problem, "unexpected ")) {
            token = problem.substr(11, problem.find("; expected") - 11);
        } else {
            lexerMessage = problem.substr(0, problem.find("; last read: "));
        }
        const std::size_t at = TokenStart(token, lexerMessage, position, lastToken);
        const bool afterValue = context == "array" || context == "object" ||
                                (context == "value" && what.ends_with("; expected end of input"));

        if (afterValue && at > 0 && at < text_.size() && text_[at] >= '0' && text_[at] <= '9' &&
            text_[at - 1] == '0')
            FailAt("leading zero in a number", at);
        if (context == "array") FailAt("expected ',' or ']'", at);
        if (context == "object") FailAt("expected ',' or '}'", at);
        if (context == "object separator") FailAt("expected ':'", at);
        if (afterValue) FailAt("unexpected text after the JSON value", at);
        if (StartsWith(lexerMessage, "invalid string")) FailString(lexerMessage, lastRead);
        if (context == "object key") FailAt("expected a key in double quotes", at);
        if (StartsWith(lexerMessage, "invalid number")) FailNumber(lexerMessage, lastRead);
        if (StartsWith(lexerMessage, "invalid literal") && at < lastRead)
            FailAt("invalid literal", at);
        if (token == "end of input") FailAt("unexpected end of input, expected a value", at);
        FailAt("unexpected character, expected a value", at);
    }
};

JsonValue ParseJson(std::string_view text) { return JsonReader(text).ReadDocument(); }

bool ParseJsonObject(std::string_view text, JsonValue& root, std::string& error,
                     std::string_view notObject) {
    try {
        root = ParseJson(text);
    } catch (const JsonError& e) {
        error = std::string("malformed JSON: ") + e.what();
        return false;
    }
    if (root.type() != JsonValue::Type::Object) {
        error = notObject;
        return false;
    }
    return true;
}

// ---- Writing ----

namespace {

// A string as a JSON string in pure ASCII. nlohmann-json escapes it; backspace and form feed
// are then spelled \u0008 and \u000c as the record's files have always had them. Bytes that are
// not UTF-8 become U+FFFD.
void WriteString(std::string& out, const std::string& utf8) {
    const std::string escaped = nlohmann::json(utf8).dump(-1, ' ', true,
                                                          nlohmann::json::error_handler_t::replace);
    for (std::size_t i = 0; i < escaped.size(); ++i) {
        if (escaped[i] != '\\' || i + 1 == escaped.size()) {
            out += escaped[i];
            continue;
        }
        const char next = escaped[++i];
        if (next == 'b') out += "\\u0008";
        else if (next == 'f') out += "\\u000c";
        else (out += '\\') += next;
    }
}

bool IsScalar(const JsonValue& v) {
    return v.type() != JsonValue::Type::Array && v.type() != JsonValue::Type::Object;
}

void WriteValue(std::string& out, const JsonValue& v, int indent) {
    const std::string pad(static_cast<std::size_t>(indent + 1) * 2, ' ');
    const std::string closePad(static_cast<std::size_t>(indent) * 2, ' ');
    switch (v.type()) {
    case JsonValue::Type::Null: out += "null"; return;
    case JsonValue::Type::Bool: out += v.AsBool() ? "true" : "false"; return;
    case JsonValue::Type::Number: out += v.Text(); return;
    case JsonValue::Type::String: WriteString(out, v.Text()); return;
    case JsonValue::Type::Array: {
        const auto& items = v.Items();
        bool flat = true;
        for (const JsonValue& item : items) flat = flat && IsScalar(item);
        out += '[';
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (i) out += flat ? ", " : ",";
            if (!flat) out += "\n" + pad;
            WriteValue(out, items[i], indent + 1);
        }
        if (!flat && !items.empty()) out += "\n" + closePad;
        out += ']';
        return;
    }
    case JsonValue::Type::Object: {
        const auto& keys = v.Keys();
        out += '{';
        for (std::size_t i = 0; i < keys.size(); ++i) {
            out += i ? ",\n" : "\n";
            out += pad;
            WriteString(out, keys[i]);
            out += ": ";
            WriteValue(out, v.Values()[i], indent + 1);
        }
        if (!keys.empty()) out += "\n" + closePad;
        out += '}';
        return;
    }
    }
}

}  // namespace

std::string WriteJson(const JsonValue& value) {
    std::string out;
    WriteValue(out, value, 0);
    out += '\n';
    return out;
}

}  // namespace tz
