#include "instrument/MainWindowFields.h"

#include <algorithm>

#include "text/DateTime.h"
#include "text/NumberFormat.h"
#include "text/SharedHelpers.h"

namespace tz {
namespace {

constexpr char kBackspace = 8;
constexpr std::size_t kDefaultInterval = 5;  // "300"
constexpr int kListEntries = 128;

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string UpperText(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), Upper);
    return text;
}

int LastEqualEntry(const clsInstrument& record, std::string (clsInstrument::*entry)(Integer) const,
                   const std::string& id) {
    const std::string wanted = TrimSpaces(id);
    for (int i = kListEntries - 1; i >= 0; --i)
        if (TrimSpaces((record.*entry)(static_cast<Integer>(i))) == wanted) return i;
    return -1;
}

}  // namespace

std::size_t IdTextLimit(Integer kind) {
    switch (kind) {
    case 0:
    case 3: return 20;
    case 1:
    case 2: return 16;
    default: return 0;
    }
}

bool IsValidIdText(Integer kind, const std::string& text) {
    if (kind < 0 || kind > 3 || text.size() > IdTextLimit(kind)) return false;
    // Backspace passes CheckKeyCode as a key, never as a character of the text.
    return std::all_of(text.begin(), text.end(), [](char c) {
        return c != kBackspace && CheckKeyCode(static_cast<Integer>(static_cast<unsigned char>(c)));
    });
}

IdKey FilterIdKey(Integer kind, const std::string& text, std::size_t selectionStart, std::size_t selectionLength,
                  char key) {
    if (key == kBackspace) return {true, key};
    const std::size_t start = std::min(selectionStart, text.size());
    const std::size_t end = std::min(text.size(), start + selectionLength);
    const char upper = Upper(key);
    const std::string candidate = text.substr(0, start) + upper + text.substr(end);
    if (!IsValidIdText(kind, candidate)) return {};
    return {true, upper};
}

std::string IdFieldValue(const clsInstrument& record, Integer kind) {
    switch (kind) {
    case 0: return record.SerialNo();
    case 1: return record.StationID();
    case 2: return record.UserID();
    case 3: return record.DummySerial();
    default: return {};
    }
}

std::string LeaveIdField(clsInstrument& record, Integer kind, const std::string& text) {
    if (!IsValidIdText(kind, text)) return IdFieldValue(record, kind);
    const std::string value = UpperText(text);
    switch (kind) {
    case 0: record.SerialNo(value); break;
    case 1: record.StationID(value); break;
    case 2: record.UserID(value); break;
    case 3: record.DummySerial(value); break;
    default: break;
    }
    return IdFieldValue(record, kind);
}

std::size_t IntervalChoiceIndex(Integer intervals) {
    const auto found = std::find(IntervalChoices.begin(), IntervalChoices.end(), intervals);
    return found == IntervalChoices.end() ? kDefaultInterval : static_cast<std::size_t>(found - IntervalChoices.begin());
}

int SelectedStationEntry(const clsInstrument& record) {
    return LastEqualEntry(record, &clsInstrument::StationList, record.StationID());
}

int SelectedUserEntry(const clsInstrument& record) {
    return LastEqualEntry(record, &clsInstrument::UserList, record.UserID());
}

ClockTexts MainWindowClocks(Date now, const clsInstrument& record, Integer linkStatus) {
    ClockTexts clocks;
    clocks.Pc = FormatGeneralDate(now);
    if (linkStatus == 0 || linkStatus == 1 || !record.CommFlags()) return clocks;
    const Date instrument = now - record.SysDateOffset();
    clocks.ResetOffset = !IsRepresentableDate(instrument);
    clocks.Instrument = FormatGeneralDate(clocks.ResetOffset ? now : instrument);
    return clocks;
}

}  // namespace tz
