#pragma once
// Program-wide state of the start-up module: the mode switches, the program font and password, every
// setting of the configuration file, the gas table and the two program-wide instrument records.
// There is one instance for the whole run (Program()); tests put it back with ResetProgram().
#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "instrument/clsInstrument.h"
#include "text/Types.h"

namespace tz {

// The font every window copies onto itself.
struct FontDescription {
    std::string Name = "MS UI Gothic";
    Single Size = 9.0f;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikethrough = false;
    Integer Weight = 400;  // 700 when bold
    Integer Charset = 0;
};

// One gas the user may choose for a channel; copied into the record's channel when chosen.
struct GasTableEntry {
    bool Enabled = false;  // the entry is present
    std::string GasName;
    bool Locked = false;
    std::string GasUnit;
    Single GasFullScale = 0;
    Single GasDesit = 0;  // number of digits: the smallest display step
    Integer GasPoint = 0;
    Single Warning = 0;
    Single Alarm = 0;
    Single Stel = 0;
    Single Twa = 0;
    Single Ratio = 0;
    Single AutoCalib = 0;
    Integer Zero = 0;
};

inline constexpr int GasTableChannels = 7;
inline constexpr int GasTableEntries = 17;
using GasTableType = std::array<std::array<GasTableEntry, GasTableEntries>, GasTableChannels>;

// Lower and upper limit of one checked converter row.
struct AdCheckRange {
    Integer Low = 0;
    Integer High = 0;
    bool operator==(const AdCheckRange&) const = default;
};

inline constexpr int AdCheckRows = 14;

// The %LEL-to-volume conversion of gas values.
struct ConversionParameter {
    Single Factor = 0;
    bool Enabled = false;
    std::array<std::string, 2> UnitNames;  // "%LEL" and "VOL%"
};

struct ProgramState {
    // Start-up switches and password.
    bool DebugMode = false;
    bool FactoryMode = false;
    FontDescription ProgramFont;
    std::string ProgramPassword = "8640";
    bool PasswordAccepted = false;

    // Folders: the program folder holds the configuration file and the check data file; logs, the
    // settings report and dumps go to the log folder. The platform layer sets both.
    std::filesystem::path ProgramFolder;
    std::filesystem::path LogFolder;

    // Settings of the configuration file, named after their keys.
    Long ExecuteCount = 0;                // "EXECUTE COUNT"
    bool SerialLogFile = false;           // "SERIAL LOG FILE"
    std::string FactoryRecordSuffix;      // "FACTORY RECORD SUFFIX"
    Integer IrCommNum = 0;                // "IRCOMM NUM"
    std::string CommSettings;             // "COMM SETTINGS"
    std::string CommDevice;               // "COMM DEVICE": a serial device named directly
                                          //   ("/dev/ttyUSB0", "COM3"); empty: look the module up
    Integer Timeout = 0;                  // "TIMEOUT", seconds
    Integer Delay = 0;                    // "DELAY"
    Integer Retry = 0;                    // "RETRY"
    bool AutoLoad = false;                // "AUTO LOAD MODE", first flag
    bool AutoRemoveData = false;          // "AUTO LOAD MODE", second flag
    Integer LimitDays = 0;                // "LIMITDAYS"
    std::array<Single, 4> CalibRange{};   // "CALIB. RANGE", channels 0 to 3
    ConversionParameter ConvParam;        // "CONV PARAM"
    Integer CalUnitOnWait = 0;            // "CALUNITONWAIT", seconds
    Integer CalSpanOnWait = 0;            // "CALSPANONWAIT"
    Integer CalSpanOffWait = 0;           // "CALSPANOFFWAIT"
    Integer WindowState = 0;              // "SIZE VALUES": main window state
    Single WindowWidth = 7680;            //   width in twips
    Single WindowHeight = 5760;           //   height in twips
    std::array<Single, 2> PrtWidth{};     // "PRT WIDTH": data line, scale line
    bool CompletelyView = false;          // "COMPLETELY VIEW"
    std::array<Integer, 2> TrendSearch{}; // "TREND SEARCH": events before, after
    std::array<AdCheckRange, AdCheckRows> AdCheck{};  // "ch0".."ch7", "ch12", "ch13", "ex1".."ex4"

    // Per-channel tables that the "Gas Inst" lines fill besides DefaultRecord.
    std::array<bool, 7> GasLocked{};
    std::array<Single, 6> FactoryAutoCalib{};  // factory auto-calibration concentrations
    std::array<Long, 6> GraphColor{};

    GasTableType GasTable{};

    // The settings the program offers for an instrument, and the one record of the program.
    clsInstrument DefaultRecord;
    clsInstrument Instrument;

    // Whether the instrument answered since the last transmission is the link's own flag,
    // tz::ResponseReceived (link/ResponseReceived.h), which sits next to the code that sets it.
    bool CalibrationWindowOpen = false;

    // The latest gas readings of the six channels as the link's Densty event gives them (-101
    // until one arrived), the low-range marks of channels 5 and 6 with them, and whether readings
    // arrived since a window last took them. The main window stores them; the calibration window
    // shows them.
    std::array<Single, 6> GasReadings{-101, -101, -101, -101, -101, -101};
    std::array<bool, 2> ReadingLowRange{};
    bool NewReadings = false;

    // The progress window's mode: set by a command before the progress window loads and read by
    // the window once, when it loads (0 rest, 1 cancellable download, 3 zero run, 4 span run,
    // 6 writing). Commands that set another value set 0 again when they end.
    Integer ProgressMode = 0;
};

// The one program-wide state.
ProgramState& Program();

// Puts the program-wide state back to its start values (tests, and a fresh start), together with
// the instrument layer's copies.
void ResetProgram();

// The instrument layer keeps its own copies of the factory mode and the conversion factor. When
// `state` is the program's own, they are brought in step with it; the routines here that change
// either value call this themselves.
void SyncInstrumentSettings(const ProgramState& state);

// The switches found on a command line.
struct CommandLineSwitches {
    bool Debug = false;    // "-DEBUG"
    bool Factory = false;  // "-SEIZO"
};

// Joins the arguments after the program's own path, upper-cases them and looks for the two
// switches anywhere in that text, also inside longer words.
CommandLineSwitches ParseSwitches(const std::vector<std::string>& arguments);

// True when `upperSwitch` (in upper case) occurs anywhere in the joined, upper-cased arguments.
bool CommandLineHas(const std::vector<std::string>& arguments, const std::string& upperSwitch);

// The start-up steps that need no window: sets the mode flags from the arguments, the program
// font, the password "8640" and clears the accepted flag.
void ApplyStartup(ProgramState& state, const std::vector<std::string>& arguments);

}  // namespace tz
