#include "instrument/ParameterChoices.h"

#include <span>

#include "text/Catalogue.h"
#include "text/TextCompare.h"

namespace tz {
namespace {

// One entry: its catalogue message, or its literal text where the message is 0.
struct Entry {
    int Message;
    const char* Literal;
    Integer Value;
};

constexpr Entry kOffOn[] = {{0, "Off", 0}, {0, "On", 1}};
constexpr Entry kSeconds30To60[] = {{0, "30", 30}, {0, "45", 45}, {0, "60", 60}};
constexpr Entry kSeconds30To90[] = {{0, "30", 30}, {0, "45", 45}, {0, "60", 60}, {0, "90", 90}};
constexpr Entry kPercent10To50[] = {
    {0, "10", 10}, {0, "20", 20}, {0, "30", 30}, {0, "40", 40}, {0, "50", 50}};
constexpr Entry kSeconds90Or120[] = {{0, "90", 90}, {0, "120", 120}};
constexpr Entry kResetLatch[] = {{8005, nullptr, 0}, {8006, nullptr, 1}};
constexpr Entry kLcBhMode[] = {{0, "Off", 0}, {0, "LC", 1}, {0, "BH", 2}, {0, "LC BH", 3}};
constexpr Entry kIrRange[] = {{0, "AUTO", 0}, {0, "LOW ONLY", 1}};
constexpr Entry kLimitCheck[] = {{8012, nullptr, 0}, {8013, nullptr, 1}, {8014, nullptr, 2}};
constexpr Entry kCheckGas[] = {{8085, nullptr, 0}, {8086, nullptr, 1}};
constexpr Entry kDestination[] = {{8016, nullptr, 0}, {8046, nullptr, 1}};
constexpr Entry kOxygenAlarm[] = {{0, "L-H", 0}, {0, "L-LL", 1}, {0, "H-HH", 2}};
constexpr Entry kDateFormat[] = {{8073, nullptr, 0}, {8074, nullptr, 1}, {8075, nullptr, 2}};
// The instrument numbers its languages in this order (the settings report lists them in another).
constexpr Entry kLanguage[] = {
    {8090, nullptr, 0}, {8093, nullptr, 1}, {8094, nullptr, 2}, {8095, nullptr, 3},
    {8096, nullptr, 4}, {8097, nullptr, 5}, {8098, nullptr, 6}, {8091, nullptr, 7},
    {8092, nullptr, 8}};

std::span<const Entry> EntriesOf(ChoiceListId list) {
    switch (list) {
    case ChoiceListId::OffOn: return kOffOn;
    case ChoiceListId::Seconds30To60: return kSeconds30To60;
    case ChoiceListId::Seconds30To90: return kSeconds30To90;
    case ChoiceListId::Percent10To50: return kPercent10To50;
    case ChoiceListId::Seconds90Or120: return kSeconds90Or120;
    case ChoiceListId::ResetLatch: return kResetLatch;
    case ChoiceListId::LcBhMode: return kLcBhMode;
    case ChoiceListId::IrRange: return kIrRange;
    case ChoiceListId::LimitCheck: return kLimitCheck;
    case ChoiceListId::CheckGas: return kCheckGas;
    case ChoiceListId::Destination: return kDestination;
    case ChoiceListId::OxygenAlarm: return kOxygenAlarm;
    case ChoiceListId::DateFormat: return kDateFormat;
    case ChoiceListId::Language: return kLanguage;
    }
    return {};
}

std::string TextOf(const Entry& entry) {
    return entry.Message != 0 ? LoadMessage(entry.Message) : std::string(entry.Literal);
}

}  // namespace

std::vector<std::string> ChoiceEntries(ChoiceListId list) {
    std::vector<std::string> texts;
    for (const Entry& entry : EntriesOf(list)) texts.push_back(TextOf(entry));
    return texts;
}

std::string ChoiceListText(ChoiceListId list) {
    std::string joined;
    for (const std::string& text : ChoiceEntries(list)) {
        if (!joined.empty()) joined += '|';
        joined += text;
    }
    return joined;
}

std::vector<Integer> ChoiceValues(ChoiceListId list) {
    std::vector<Integer> values;
    for (const Entry& entry : EntriesOf(list)) values.push_back(entry.Value);
    return values;
}

std::optional<Integer> ChoiceValue(ChoiceListId list, const std::string& text) {
    const std::string wanted = TrimSpaces(text);
    for (const Entry& entry : EntriesOf(list))
        if (SameTextIgnoringCase(wanted, TrimSpaces(TextOf(entry)))) return entry.Value;
    return std::nullopt;
}

std::optional<std::string> ChoiceText(ChoiceListId list, Integer value) {
    for (const Entry& entry : EntriesOf(list))
        if (entry.Value == value) return TextOf(entry);
    return std::nullopt;
}

}  // namespace tz
