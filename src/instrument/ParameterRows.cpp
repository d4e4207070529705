#include "instrument/ParameterRows.h"

#include <limits>
#include <stdexcept>

#include "text/Catalogue.h"

namespace tz {
namespace {

// ---- Properties ----

#define TZ_PROP(Kind, Type, Name)                                                                \
    RowProperty {                                                                                \
        #Name, ValueKind::Kind, [](const clsInstrument& r) -> RowValue { return r.Name(); },     \
            [](clsInstrument& r, const RowValue& v) { r.Name(std::get<Type>(v)); },              \
            [](const clsInstrument& r) { return r.Change_##Name(); },                            \
            [](clsInstrument& r) { r.Change_##Name(true); }                                      \
    }
#define TZ_GAS_PROP(Kind, Type, Name, Gas)                                                       \
    RowProperty {                                                                                \
        #Name "(" #Gas ")", ValueKind::Kind,                                                     \
            [](const clsInstrument& r) -> RowValue { return r.Name(Gas); },                      \
            [](clsInstrument& r, const RowValue& v) { r.Name(Gas, std::get<Type>(v)); },         \
            [](const clsInstrument& r) { return r.Change_##Name(Gas); },                         \
            [](clsInstrument& r) { r.Change_##Name(Gas, true); }                                 \
    }
#define TZ_INT(Name) TZ_PROP(Integer, Integer, Name)
#define TZ_SINGLE(Name) TZ_PROP(Single, Single, Name)
#define TZ_TEXT(Name) TZ_PROP(Text, std::string, Name)
#define TZ_GAS_INT(Name, Gas) TZ_GAS_PROP(Integer, Integer, Name, Gas)
#define TZ_GAS_TEXT(Name, Gas) TZ_GAS_PROP(Text, std::string, Name, Gas)

// The photo-ionisation data text has no change flag.
constexpr RowProperty kPidData{
    "PIDdata", ValueKind::Text, [](const clsInstrument& r) -> RowValue { return r.PIDdata(); },
    [](clsInstrument& r, const RowValue& v) { r.PIDdata(std::get<std::string>(v)); }, nullptr,
    nullptr};

// ---- Editors ----

constexpr double kIntegerMax = std::numeric_limits<Integer>::max();

constexpr RowEditor List(ChoiceListId list) {
    return {.Kind = EditorKind::Choice, .Choices = list};
}
constexpr RowEditor Whole(double min, double max) {
    return {.Kind = EditorKind::Number, .Min = min, .Max = max};
}
// A man-down time: also between the values of two neighbouring rows (-1: no such neighbour).
constexpr RowEditor Chained(double min, double max, Integer lowerRow, Integer upperRow) {
    return {.Kind = EditorKind::Number, .Min = min, .Max = max, .LowerRow = lowerRow,
            .UpperRow = upperRow};
}
constexpr RowEditor OneDecimal(double min, double max) {
    return {.Kind = EditorKind::Number, .Min = min, .Max = max, .Decimals = 1};
}
constexpr RowEditor FourDigits() { return {.Kind = EditorKind::Digits, .Length = 4}; }
constexpr RowEditor YyMmDd() { return {.Kind = EditorKind::SensorDate, .Length = 6}; }
constexpr RowEditor KeyText(Integer most) { return {.Kind = EditorKind::KeyText, .Length = most}; }
constexpr RowEditor AnyText() { return {.Kind = EditorKind::Text}; }

constexpr RowEditor kOffOn = List(ChoiceListId::OffOn);

// ---- Rows ----

constexpr bool kAtOnce = true;

constexpr ParameterRow P(Integer row, int label, RowProperty property, RowEditor editor,
                         bool atOnce = false) {
    return {ParamGrid::Parameter, row, label, nullptr, nullptr, property, editor, atOnce};
}
constexpr ParameterRow P(Integer row, int label, const char* argument, RowProperty property,
                         RowEditor editor, bool atOnce = false) {
    return {ParamGrid::Parameter, row, label, nullptr, argument, property, editor, atOnce};
}
constexpr ParameterRow F(Integer row, int label, RowProperty property, RowEditor editor) {
    return {ParamGrid::Factory, row, label, nullptr, nullptr, property, editor, false};
}
constexpr ParameterRow F(Integer row, const char* literal, RowProperty property,
                         RowEditor editor) {
    return {ParamGrid::Factory, row, 0, literal, nullptr, property, editor, false};
}
constexpr ParameterRow F(Integer row, int label, const char* argument, RowProperty property,
                         RowEditor editor) {
    return {ParamGrid::Factory, row, label, nullptr, argument, property, editor, false};
}
constexpr ParameterRow M(Integer row, int label, RowProperty property, RowEditor editor) {
    return {ParamGrid::Maintenance, row, label, nullptr, nullptr, property, editor, false};
}

// "Parameter". The zero settings exist for channels 0, 2, 3, 4 and 5 (Gas1, Gas3 ... Gas6).
// Free-text rows whose accepted edit marks the setting at once: 1, 10, 23 to 27, 31 to 33, 35, 36.
constexpr ParameterRow kParameterRows[] = {
    P(0, 8010, TZ_INT(DispCalLimit), kOffOn),
    P(1, 8007, TZ_INT(CalLimit), Whole(1, 365), kAtOnce),
    P(2, 8011, TZ_INT(CalCheck), List(ChoiceListId::LimitCheck)),
    P(3, 8087, TZ_INT(CalCheckALL), List(ChoiceListId::CheckGas)),
    P(4, 8083, TZ_INT(BumpFunction), kOffOn),
    P(5, 8029, TZ_INT(BumpTime), List(ChoiceListId::Seconds30To90)),
    P(6, 8030, TZ_INT(BumpThreshold), List(ChoiceListId::Percent10To50)),
    P(7, 8032, TZ_INT(BumpFailCalTime), List(ChoiceListId::Seconds90Or120)),
    P(8, 8031, TZ_INT(BumpFailAfter), kOffOn),
    P(9, 8081, TZ_INT(DispBumpLimit), kOffOn),
    P(10, 8080, TZ_INT(BumpLimit), Whole(0, 30), kAtOnce),
    P(11, 8082, TZ_INT(BumpCheck), List(ChoiceListId::LimitCheck)),
    P(12, 8084, TZ_INT(BumpCheckALL), List(ChoiceListId::CheckGas)),
    P(13, 8004, TZ_INT(AlarmMode), List(ChoiceListId::ResetLatch)),
    P(14, 8048, TZ_INT(AlarmSilence), kOffOn),
    P(15, 8047, TZ_INT(LunchBreak), kOffOn),
    P(16, 8019, TZ_INT(AutoZero), kOffOn),
    P(17, 8020, TZ_INT(DemandZero), kOffOn),
    P(18, 8050, "Gas1", TZ_GAS_INT(Zero, 0), kOffOn),
    P(19, 8050, "Gas3", TZ_GAS_INT(Zero, 2), kOffOn),
    P(20, 8050, "Gas4", TZ_GAS_INT(Zero, 3), kOffOn),
    P(21, 8050, "Gas5", TZ_GAS_INT(Zero, 4), kOffOn),
    P(22, 8050, "Gas6", TZ_GAS_INT(Zero, 5), kOffOn),
    P(23, 8065, "Gas1", TZ_GAS_INT(ZeroForce, 0), Whole(0, 3), kAtOnce),
    P(24, 8065, "Gas3", TZ_GAS_INT(ZeroForce, 2), Whole(0, 3), kAtOnce),
    P(25, 8065, "Gas4", TZ_GAS_INT(ZeroForce, 3), Whole(0, 3), kAtOnce),
    P(26, 8065, "Gas5", TZ_GAS_INT(ZeroForce, 4), Whole(0, 3), kAtOnce),
    P(27, 8065, "Gas6", TZ_GAS_INT(ZeroForce, 5), Whole(0, 3), kAtOnce),
    P(28, 8062, TZ_INT(PumpOnOffDisp), kOffOn),
    P(29, 8066, TZ_INT(ManDown), kOffOn),
    P(30, 8067, TZ_INT(Panic), kOffOn),
    // The three man-down times rise in order: 10 <= time 1 <= time 2 <= time 3 <= 120.
    P(31, 8068, TZ_INT(ManDown1), Chained(10, kIntegerMax, -1, 32), kAtOnce),
    P(32, 8069, TZ_INT(ManDown2), Chained(0, kIntegerMax, 31, 33), kAtOnce),
    P(33, 8070, TZ_INT(ManDown3), Chained(0, 120, 32, -1), kAtOnce),
    P(34, 8106, TZ_INT(InertMode), kOffOn),
    P(35, 8107, TZ_SINGLE(Inert1st), OneDecimal(0, 20.9), kAtOnce),
    P(36, 8108, TZ_SINGLE(Inert2nd), OneDecimal(0, 20.9), kAtOnce),
    P(37, 8109, TZ_INT(IRRange), List(ChoiceListId::IrRange)),
    P(38, 8033, TZ_INT(LcBhMode), List(ChoiceListId::LcBhMode)),
    P(39, 8034, TZ_INT(BhTime), List(ChoiceListId::Seconds30To60)),
    P(40, 8035, TZ_INT(LcBuzzer), kOffOn),
    P(41, 8110, TZ_INT(LeakCOdisp), kOffOn),
    P(42, 8061, TZ_INT(dlogOnOff), kOffOn),
    P(43, 8009, TZ_INT(LogOverWrite), kOffOn),
    P(44, 8044, TZ_INT(Confirmation), kOffOn),
    P(45, 8099, TZ_INT(ConfirmationTime), Whole(1, 60)),
    P(46, 8049, TZ_INT(DispID), kOffOn),
    P(47, 8023, TZ_INT(LcdBackLight), Whole(0, 255)),
    P(48, 8111, TZ_INT(KeySound), kOffOn),
    P(49, 8112, TZ_INT(UseMaintePassword), kOffOn),
    P(50, 8113, TZ_TEXT(MaintePassword), FourDigits()),
};

// " FACTORY SETTINGS". The destination is a text in the record ("0" or "1").
constexpr ParameterRow kFactoryRows[] = {
    F(0, 8042, TZ_TEXT(SpecNo), KeyText(10)),
    F(1, 8015, TZ_TEXT(SpecType), List(ChoiceListId::Destination)),
    F(2, 8022, TZ_INT(AlarmO2), List(ChoiceListId::OxygenAlarm)),
    F(3, 8037, TZ_INT(AlarmOnOff), kOffOn),
    F(4, "LCD Contrast(0-50)", TZ_INT(LcdContrast), Whole(0, 50)),
    F(5, 8064, TZ_INT(RemainTimeDisp), kOffOn),
    F(6, 8114, TZ_INT(PasswordProtect), kOffOn),
    F(7, 8116, "1", TZ_GAS_TEXT(SensorDate, 0), YyMmDd()),
    F(8, 8116, "2", TZ_GAS_TEXT(SensorDate, 1), YyMmDd()),
    F(9, 8116, "3", TZ_GAS_TEXT(SensorDate, 2), YyMmDd()),
    F(10, 8116, "4", TZ_GAS_TEXT(SensorDate, 3), YyMmDd()),
    F(11, 8116, "5", TZ_GAS_TEXT(SensorDate, 4), YyMmDd()),
    F(12, 8116, "6", TZ_GAS_TEXT(SensorDate, 5), YyMmDd()),
    F(13, 8121, TZ_INT(CSAdata), kOffOn),
    F(14, "PID", kPidData, AnyText()),
};

// "Maintenance".
constexpr ParameterRow kMaintenanceRows[] = {
    M(0, 8071, TZ_INT(DateDispType), List(ChoiceListId::DateFormat)),
    M(1, 8089, TZ_INT(LangType), List(ChoiceListId::Language)),
    M(2, 8021, TZ_INT(UseUserPassword), kOffOn),
    M(3, 8024, TZ_TEXT(UserPassword2), FourDigits()),
    M(4, 8051, TZ_INT(PeakBar), kOffOn),
    M(5, 8100, TZ_INT(Inverse), kOffOn),
};

#undef TZ_GAS_TEXT
#undef TZ_GAS_INT
#undef TZ_TEXT
#undef TZ_SINGLE
#undef TZ_INT
#undef TZ_GAS_PROP
#undef TZ_PROP

}  // namespace

Integer ParamGridRowCount(ParamGrid grid) {
    return static_cast<Integer>(ParameterRows(grid).size());
}

std::span<const ParameterRow> ParameterRows(ParamGrid grid) {
    switch (grid) {
    case ParamGrid::Parameter: return kParameterRows;
    case ParamGrid::Factory: return kFactoryRows;
    case ParamGrid::Maintenance: return kMaintenanceRows;
    }
    throw std::out_of_range("no such parameter grid");
}

const ParameterRow& ParameterRowAt(ParamGrid grid, Integer row) {
    const auto rows = ParameterRows(grid);
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size())
        throw std::out_of_range("no row " + std::to_string(row) + " in parameter grid " +
                                std::to_string(static_cast<int>(grid)));
    return rows[static_cast<std::size_t>(row)];
}

std::string RowLabel(const ParameterRow& row) {
    if (row.LabelMessage == 0) return row.LabelText;
    if (row.LabelArgument == nullptr) return LoadMessage(row.LabelMessage);
    return LoadMessage(row.LabelMessage, {row.LabelArgument});
}

std::string RowChoiceList(const ParameterRow& row) {
    return row.Editor.Kind == EditorKind::Choice ? ChoiceListText(row.Editor.Choices)
                                                 : std::string();
}

}  // namespace tz
