#include "link/CommLog.h"

#include <cstdio>
#include <fstream>

#include "text/DateTime.h"

namespace tz {

std::string CommLog::Path() const {
    if (folder_.empty()) return {};
    const char last = folder_.back();
    return folder_ + (last == '/' || last == '\\' ? "" : "/") + CommLogFileName;
}

void CommLog::LogWrite(const std::string& text) {
    const std::string line = TimeOfDayText(clock_.Now()) + " " + text;
    if (observer_) observer_(line);
    const std::string path = Path();
    if (path.empty()) return;
    std::ofstream file(path, std::ios::binary | std::ios::app);
    if (file) file << line << "\r\n";
    if (!file) ++lostLines_;  // an unwritable folder costs the line, never the operation
}

std::string ShowControlChars(const std::string& text) {
    static const char* const kNames[32] = {
        nullptr, nullptr, "[STX]", "[ETX]", "[EOT]", "[ENQ]", "[ACK]", nullptr, nullptr, nullptr,
        "\n",    nullptr, nullptr, "\r",    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
        nullptr, "[NAK]", nullptr, "[ETB]", nullptr, nullptr, "[SUB]", "[ESC]", nullptr, nullptr,
        nullptr, nullptr};
    std::string shown;
    shown.reserve(text.size() + 16);
    for (unsigned char c : text) {
        if (c >= 32) {
            shown += static_cast<char>(c);
        } else if (kNames[c]) {
            shown += kNames[c];
        } else {
            char code[5];
            std::snprintf(code, sizeof code, "[%02X]", c);
            shown += code;
        }
    }
    return shown;
}

std::string TimeOfDayText(Date value) {
    const DateParts parts = SplitDate(value);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", parts.hour, parts.minute, parts.second);
    return text;
}

}  // namespace tz
