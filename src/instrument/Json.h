#pragma once
// A small, strict JSON reader and writer (RFC 8259) for the record's JSON form.
//
// Reading accepts exactly one JSON value with optional white space around it: no comments, no
// trailing commas, no leading zeros, no NaN literals, strings in valid UTF-8 with control
// characters escaped, and no key repeated within an object. Nesting is limited so that hostile
// input cannot exhaust the stack. Every fault is a JsonError that names the line, column and byte
// offset where reading stopped.
//
// Writing produces pure ASCII: characters outside it are written as \u escapes.
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tz {

class JsonError : public std::runtime_error {
public:
    JsonError(const std::string& what, std::size_t offset, std::size_t line, std::size_t column);
    std::size_t Offset() const { return offset_; }  // bytes from the start, 0-based
    std::size_t Line() const { return line_; }      // 1-based
    std::size_t Column() const { return column_; }  // 1-based, in bytes

private:
    std::size_t offset_, line_, column_;
};

class JsonValue {
public:
    enum class Type { Null, Bool, Number, String, Array, Object };

    JsonValue() = default;  // null
    static JsonValue Bool(bool value);
    // `text` must be a JSON number ("-1.5e3"); it is kept as written so that a reader converts it
    // straight to the type it needs, without a detour through double.
    static JsonValue Number(std::string text);
    static JsonValue String(std::string utf8);
    static JsonValue Array();
    static JsonValue Object();

    Type type() const { return type_; }
    bool IsNull() const { return type_ == Type::Null; }

    bool AsBool() const { return bool_; }
    // The number's text, or the string's UTF-8 text.
    const std::string& Text() const { return text_; }

    // Arrays.
    const std::vector<JsonValue>& Items() const { return items_; }
    void Append(JsonValue value);

    // Objects keep their members in the order they were added or read.
    const std::vector<std::string>& Keys() const { return keys_; }
    // The value of `key`, or nullptr.
    const JsonValue* Find(std::string_view key) const;
    // Adds a member; returns false (and adds nothing) when the key is already there.
    bool Add(std::string key, JsonValue value);
    // The member values, in the order of Keys().
    const std::vector<JsonValue>& Values() const { return items_; }

private:
    friend class JsonReader;
    Type type_ = Type::Null;
    bool bool_ = false;
    std::string text_;
    std::vector<JsonValue> items_;  // array items, or object values
    std::vector<std::string> keys_;
};

// Reads one JSON text; throws JsonError.
JsonValue ParseJson(std::string_view text);

// Reads one JSON text that must be an object. On failure returns false with error set to
// "malformed JSON: ..." or, for any other kind of value, to notObject.
bool ParseJsonObject(std::string_view text, JsonValue& root, std::string& error,
                     std::string_view notObject);

// Writes `value` with two-space indentation; an array of scalars stays on one line. Ends with a
// line break.
std::string WriteJson(const JsonValue& value);

// Deepest nesting of arrays and objects that ParseJson accepts.
inline constexpr std::size_t JsonMaxDepth = 64;

}  // namespace tz
