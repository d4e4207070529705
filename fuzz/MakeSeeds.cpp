// Writes the seed corpora of the fuzz targets: a few valid inputs each, made by the program's own
// writers and the simulated instrument. Usage: tz_fuzz_seeds CORPUS_FOLDER (fuzz/corpus).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/ConfigFile.h"
#include "app/StartupDefaults.h"
#include "instrument/ListFile.h"
#include "instrument/RecordJson.h"
#include "instrument/SettingsFile.h"
#include "link/Frame.h"
#include "sim/SimCommands.h"
#include "sim/SimStateJson.h"

namespace fs = std::filesystem;
using namespace tz;

namespace {

fs::path root;

void Seed(const std::string& target, const std::string& name, const std::string& bytes) {
    const fs::path folder = root / target;
    fs::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary | std::ios::trunc) << bytes;
}

// The data of the simulated instrument's reply to a command ("A1,R" and its payload).
std::string ReplyData(SimState& state, const std::string& key, const std::string& payload = {}) {
    const SimHandler handler = FindSimCommand(key);
    return handler ? handler(state, payload).data : std::string();
}

// A link-receive piece list in which the instrument answers `count` transmissions itself.
std::string InstrumentAnswers(char mode, std::size_t count) { return std::string(1, mode) + std::string(count, '\0'); }

std::string Piece(const std::string& bytes) { return std::string(1, static_cast<char>(bytes.size())) + bytes; }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER\n", argv[0]);
        return 2;
    }
    root = argv[1];
    SimState state = DefaultSimState();

    for (const char* key : {"SZ,R", "IN,R", "HC,R", "A1,R", "GJ,R", "UG,R", "RC,R"})
        Seed("reply_decoder", std::string(key).substr(0, 2), ReplyData(state, key));
    Seed("reply_decoder", "XS", ReplyData(state, "XS,R", "0003"));

    Seed("link_receive", "read", InstrumentAnswers('\0', 400));
    Seed("link_receive", "write", InstrumentAnswers('\1', 100));
    Seed("link_receive", "dump", InstrumentAnswers('\2', 10));
    Seed("link_receive", "read_first_reply",
         std::string(1, '\0') + Piece(BuildFrame("SZ,R," + ReplyData(state, "SZ,R"), EOT)));

    // Tokenizer: the header byte counts delimiters (bits 0-1), quotes (2-3) and comments (4-5).
    Seed("tokenizer", "config_line", std::string("\x15\t';COMM SETTINGS\t'921600,n,8,1'\t; note", 38));
    Seed("tokenizer", "reply_fields", std::string("\x02\r,0001,2.5,,*****\rL,NOR", 25));
    Seed("tokenizer", "csv_line", std::string("\x05,\"5,\"TANK 5, NORTH\",x", 24));

    ProgramState program;
    ApplyStartupDefaults(program, true);
    Seed("config_file", "defaults_en", ConfigurationText(program, 46000.25, true));
    Seed("config_file", "defaults_ja", ConfigurationText(program, 46000.25, false));
    Seed("config_file", "comm_only", "COMM SETTINGS\t'115200,e,7,2'\r\nTIMEOUT\t5\r\nCOMM Device\t/dev/ttyUSB0\r\n");

    Seed("settings_file", "simulated", SettingsFileText(state.record));
    Seed("settings_file", "blank_record", SettingsFileText(clsInstrument{}));
    Seed("settings_file", "few_lines", "; a comment\r\nA1,W,0,0100,0200,,\r\nUG,W,0,1,2,3,F,F,\r\nZZ,W,1,\r\n");

    Seed("json", "record", RecordToJson(state.record));
    Seed("json", "mixed", "{\"a\": [1, -0.5e+3, true, null], \"t\": \"x\\u00e9\\ud83d\\ude00\\n\", \"o\": {}}");

    Seed("record_json", "record", std::string(1, '\0') + RecordToJson(state.record));
    Seed("record_json", "record_part", std::string(1, '\0') + "{\"LcdBackLight\": 12, \"SysDate\": \"2026-12-10T07:05:09\", \"Warning\": [1, 2, 3, 4, 5, 6, 7]}");
    Seed("record_json", "state", std::string(1, '\1') + SimStateToJson(state));
    Seed("record_json", "state_part", std::string(1, '\1') + "{\"SerialNo\": \"A123\", \"SimState\": {\"Model\": \"TZ-7300\", \"Clock\": \"2026-01-02T03:04:05\", \"MemorySeed\": 7}}");

    Seed("list_file", "users", ListFileText(ListOf(state.record, ListKind::Users)));
    Seed("list_file", "stations", ListFileText(ListOf(state.record, ListKind::Stations)));
    Seed("list_file", "few_entries", "\xEF\xBB\xBF" "3,TANK 3, NORTH\r\n\r\n 12\tPUMP\tROOM\n128,\n");

    // Command lines, one word a line.
    Seed("cli_args", "read_json", "--port=/dev/ttyUSB1\nread\n--json\nout.json\n--timeout\n5");
    Seed("cli_args", "monitor", "--lang\nja\nmonitor\n--seconds=10\n--yes");
    Seed("cli_args", "stations", "--log-dir\nlogs\nstations\nimport\n--\n--list.csv");
    Seed("cli_args", "help", "-h\nreport\n--suffix\nA");
    Seed("cli_args", "settings", "--settings=9600,n,8,1\n--retry=3\n--debug\n--factory\nsave\nout.seq");
    return 0;
}
