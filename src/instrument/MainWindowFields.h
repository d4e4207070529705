#pragma once
// The rules behind the fields at the top of the main window: the four identifier fields
// (txtOption(0) to txtOption(3)), the interval list (cmbInterval), the station and user lists
// (cmbStation, cmbUser) and the two clocks (lblOption(5), lblOption(6)). The window forwards key
// presses, leaving a field and timer ticks; these functions decide and build the texts.
#include <array>
#include <string>

#include "instrument/clsInstrument.h"
#include "text/Types.h"

namespace tz {

// Identifier field kinds, numbered as the fields are.
enum class IdField : Integer {
    SerialNo = 0,       // txtOption(0), 20 characters
    StationID = 1,      // txtOption(1), 16 characters
    UserID = 2,         // txtOption(2), 16 characters
    ManufactureNo = 3,  // txtOption(3): DummySerial, 20 characters (factory mode)
};

// The longest text a field kind takes: 20 for kinds 0 and 3, 16 for kinds 1 and 2, 0 otherwise.
std::size_t IdTextLimit(Integer kind);

// True when the text may stand in identifier field `kind`: not longer than IdTextLimit, and every
// character a space, "*", "-", a digit or a letter (CheckKeyCode). An empty text is valid; any
// kind outside 0 to 3 is not.
bool IsValidIdText(Integer kind, const std::string& text);

// A key typed into an identifier field whose text is `text` with `selectionLength` characters
// selected from `selectionStart`. Backspace (8) always passes. Another key passes when the text it
// would give (before the selection, the key, after the selection) is valid; a to z become A to Z.
// A refused key is dropped and the window beeps.
struct IdKey {
    bool Accepted = false;
    char Key = 0;  // the character to insert (upper case)
};
IdKey FilterIdKey(Integer kind, const std::string& text, std::size_t selectionStart, std::size_t selectionLength,
                  char key);

// The record's value that field `kind` shows (SerialNo, StationID, UserID, DummySerial).
std::string IdFieldValue(const clsInstrument& record, Integer kind);
// Leaving a field: a valid text is stored (in upper case) in its property, which sets its change
// flag; an invalid one (pasted) is not stored. Returns the text the field shows afterwards: the
// stored text, or the record's value again.
std::string LeaveIdField(clsInstrument& record, Integer kind, const std::string& text);

// cmbInterval's entries in seconds, and the entry that shows the record's Intervals: the equal
// one, or "300" when it is none of them.
inline constexpr std::array<Integer, 7> IntervalChoices = {10, 20, 30, 60, 180, 300, 600};
std::size_t IntervalChoiceIndex(Integer intervals);

// The list entry selected in cmbStation / cmbUser: the last of the 128 entries whose trimmed text
// equals the trimmed StationID / UserID; -1 when none does. Selecting it assigns nothing.
int SelectedStationEntry(const clsInstrument& record);
int SelectedUserEntry(const clsInstrument& record);

// The two clocks at one tick. Before any instrument data is read (or while the link is reset or
// starting, Status 0 or 1) only the PC clock shows. Otherwise the instrument clock is the present
// time less SysDateOffset; when that is no date at all it shows the present time, and ResetOffset
// tells the window to set SysDateOffset to 0.
struct ClockTexts {
    std::string Pc;
    std::string Instrument;
    bool ResetOffset = false;
};
ClockTexts MainWindowClocks(Date now, const clsInstrument& record, Integer linkStatus);

}  // namespace tz
