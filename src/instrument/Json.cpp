#include "instrument/Json.h"

#include <unordered_set>
#include <utility>

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

class JsonReader {
public:
    explicit JsonReader(std::string_view text) : text_(text) {}

    JsonValue ReadDocument() {
        SkipSpace();
        JsonValue value = ReadValue(0);
        SkipSpace();
        if (pos_ != text_.size()) Fail("unexpected text after the JSON value");
        return value;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;

    [[noreturn]] void Fail(const std::string& what) const { FailAt(what, pos_); }

    [[noreturn]] void FailAt(const std::string& what, std::size_t at) const {
        std::size_t line = 1, lineStart = 0;
        for (std::size_t i = 0; i < at && i < text_.size(); ++i)
            if (text_[i] == '\n') {
                ++line;
                lineStart = i + 1;
            }
        throw JsonError(what, at, line, at - lineStart + 1);
    }

    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }

    void SkipSpace() {
        while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r'))
            ++pos_;
    }

    void Expect(char c, const char* what) {
        if (Peek() != c || AtEnd()) Fail(std::string("expected ") + what);
        ++pos_;
    }

    JsonValue ReadValue(std::size_t depth) {
        if (AtEnd()) Fail("unexpected end of input, expected a value");
        switch (Peek()) {
        case '{': return ReadObject(depth + 1);
        case '[': return ReadArray(depth + 1);
        case '"': return JsonValue::String(ReadString());
        case 't': ReadWord("true"); return JsonValue::Bool(true);
        case 'f': ReadWord("false"); return JsonValue::Bool(false);
        case 'n': ReadWord("null"); return JsonValue();
        default:
            if (Peek() == '-' || (Peek() >= '0' && Peek() <= '9')) return ReadNumber();
            Fail("unexpected character, expected a value");
        }
    }

    void ReadWord(std::string_view word) {
        if (text_.substr(pos_, word.size()) != word) Fail("invalid literal");
        pos_ += word.size();
    }

    void CheckDepth(std::size_t depth) const {
        if (depth > JsonMaxDepth) Fail("nesting deeper than " + std::to_string(JsonMaxDepth));
    }

    JsonValue ReadArray(std::size_t depth) {
        CheckDepth(depth);
        ++pos_;  // '['
        JsonValue array = JsonValue::Array();
        SkipSpace();
        if (Peek() == ']' && !AtEnd()) {
            ++pos_;
            return array;
        }
        for (;;) {
            SkipSpace();
            array.items_.push_back(ReadValue(depth));
            SkipSpace();
            if (Peek() == ',' && !AtEnd()) {
                ++pos_;
                continue;
            }
            Expect(']', "',' or ']'");
            return array;
        }
    }

    JsonValue ReadObject(std::size_t depth) {
        CheckDepth(depth);
        ++pos_;  // '{'
        JsonValue object = JsonValue::Object();
        std::unordered_set<std::string> seen;
        SkipSpace();
        if (Peek() == '}' && !AtEnd()) {
            ++pos_;
            return object;
        }
        for (;;) {
            SkipSpace();
            if (Peek() != '"' || AtEnd()) Fail("expected a key in double quotes");
            const std::size_t keyAt = pos_;
            std::string key = ReadString();
            if (!seen.insert(key).second) FailAt("repeated key \"" + key + "\"", keyAt);
            SkipSpace();
            Expect(':', "':'");
            SkipSpace();
            object.keys_.push_back(std::move(key));
            object.items_.push_back(ReadValue(depth));
            SkipSpace();
            if (Peek() == ',' && !AtEnd()) {
                ++pos_;
                continue;
            }
            Expect('}', "',' or '}'");
            return object;
        }
    }

    static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

    JsonValue ReadNumber() {
        const std::size_t start = pos_;
        if (Peek() == '-') ++pos_;
        if (!IsDigit(Peek())) Fail("expected a digit");
        if (Peek() == '0') {
            ++pos_;
            if (IsDigit(Peek())) Fail("leading zero in a number");
        } else {
            while (IsDigit(Peek())) ++pos_;
        }
        if (Peek() == '.') {
            ++pos_;
            if (!IsDigit(Peek())) Fail("expected a digit after the decimal point");
            while (IsDigit(Peek())) ++pos_;
        }
        if (Peek() == 'e' || Peek() == 'E') {
            ++pos_;
            if (Peek() == '+' || Peek() == '-') ++pos_;
            if (!IsDigit(Peek())) Fail("expected a digit in the exponent");
            while (IsDigit(Peek())) ++pos_;
        }
        return JsonValue::Number(std::string(text_.substr(start, pos_ - start)));
    }

    static void AppendUtf8(std::string& out, char32_t cp) {
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }

    char32_t ReadHex4() {
        char32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = Peek();
            int digit;
            if (c >= '0' && c <= '9') digit = c - '0';
            else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
            else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
            else Fail("expected four hexadecimal digits after \\u");
            value = value * 16 + static_cast<char32_t>(digit);
            ++pos_;
        }
        return value;
    }

    // After the backslash of a \u escape: one code point, a surrogate pair joined.
    char32_t ReadUnicodeEscape(std::size_t escapeAt) {
        const char32_t first = ReadHex4();
        if (first >= 0xDC00 && first <= 0xDFFF) FailAt("unpaired low surrogate", escapeAt);
        if (first < 0xD800 || first > 0xDBFF) return first;
        if (text_.substr(pos_, 2) != "\\u") FailAt("unpaired high surrogate", escapeAt);
        pos_ += 2;
        const char32_t second = ReadHex4();
        if (second < 0xDC00 || second > 0xDFFF) FailAt("unpaired high surrogate", escapeAt);
        return 0x10000 + ((first - 0xD800) << 10) + (second - 0xDC00);
    }

    void ReadEscape(std::string& out) {
        const std::size_t escapeAt = pos_;
        ++pos_;  // backslash
        if (AtEnd()) Fail("unterminated string");
        const char c = text_[pos_++];
        switch (c) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '/': out += '/'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': AppendUtf8(out, ReadUnicodeEscape(escapeAt)); break;
        default: FailAt("invalid escape", escapeAt);
        }
    }

    // One UTF-8 sequence copied as it stands, after checking that it is well formed (shortest
    // form, no surrogates, nothing beyond U+10FFFF).
    void CopyUtf8(std::string& out) {
        const auto lead = static_cast<unsigned char>(text_[pos_]);
        std::size_t length;
        char32_t cp, minimum;
        if (lead >= 0xC2 && lead <= 0xDF) { length = 2; cp = lead & 0x1F; minimum = 0x80; }
        else if (lead >= 0xE0 && lead <= 0xEF) { length = 3; cp = lead & 0x0F; minimum = 0x800; }
        else if (lead >= 0xF0 && lead <= 0xF4) { length = 4; cp = lead & 0x07; minimum = 0x10000; }
        else Fail("invalid UTF-8 byte");
        if (pos_ + length > text_.size()) Fail("truncated UTF-8 sequence");
        for (std::size_t i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(text_[pos_ + i]);
            if ((next & 0xC0) != 0x80) Fail("invalid UTF-8 sequence");
            cp = (cp << 6) | (next & 0x3F);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            Fail("invalid UTF-8 sequence");
        out.append(text_.substr(pos_, length));
        pos_ += length;
    }

    std::string ReadString() {
        const std::size_t start = pos_;
        ++pos_;  // opening quote
        std::string out;
        for (;;) {
            if (AtEnd()) FailAt("unterminated string", start);
            const auto c = static_cast<unsigned char>(Peek());
            if (c == '"') {
                ++pos_;
                return out;
            }
            if (c == '\\') ReadEscape(out);
            else if (c < 0x20) Fail("control character in a string must be escaped");
            else if (c < 0x80) out += text_[pos_++];
            else CopyUtf8(out);
        }
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

void WriteEscaped(std::string& out, char32_t cp) {
    static const char kHex[] = "0123456789abcdef";
    auto unit = [&](char32_t u) {
        out += "\\u";
        for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(u >> shift) & 0xF];
    };
    if (cp >= 0x10000) {
        cp -= 0x10000;
        unit(0xD800 + (cp >> 10));
        unit(0xDC00 + (cp & 0x3FF));
    } else {
        unit(cp);
    }
}

// `utf8` is the text of a JsonValue string: valid UTF-8 when it came from ParseJson; a byte
// that does not start a valid sequence is written as the code point of that byte.
void WriteString(std::string& out, const std::string& utf8) {
    out += '"';
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        switch (c) {
        case '"': out += "\\\""; ++i; continue;
        case '\\': out += "\\\\"; ++i; continue;
        case '\n': out += "\\n"; ++i; continue;
        case '\r': out += "\\r"; ++i; continue;
        case '\t': out += "\\t"; ++i; continue;
        default: break;
        }
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        std::size_t length = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 1;
        if (c < 0x80 || length == 1 || i + length > utf8.size()) length = 1;
        char32_t cp = length == 1 ? c : c & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) {
                length = 1;
                cp = c;
                break;
            }
            cp = (cp << 6) | (next & 0x3F);
        }
        WriteEscaped(out, cp);
        i += length;
    }
    out += '"';
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
