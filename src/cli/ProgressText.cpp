#include "cli/ProgressText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tz::cli {

std::string DurationText(double seconds) {
    const long whole = std::max(0L, std::lround(seconds));
    char text[32];
    if (whole >= 3600)
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", whole / 3600, whole / 60 % 60, whole % 60);
    else
        std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
    return text;
}

std::string ReadProgressText(int done, int total) {
    return "Reading " + std::to_string(done) + " of " + std::to_string(total);
}

std::string WriteProgressText(std::size_t sent) {
    return "Writing: " + std::to_string(sent) + (sent == 1 ? " command sent" : " commands sent");
}

std::string WaitProgressText(const std::string& what, double elapsedSeconds) {
    std::string text = what;
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
    return text + " ... " + DurationText(elapsedSeconds) + " elapsed";
}

std::string BlockProgressText(const std::string& what, int done, int total, double elapsedSeconds) {
    done = std::clamp(done, 0, std::max(total, 0));
    const int percent = total > 0 ? static_cast<int>(100LL * done / total) : 100;
    std::string text = what + ": " + std::to_string(done) + " of " + std::to_string(total) + " blocks (" +
                       std::to_string(percent) + "%)";
    if (done > 0 && done < total) text += ", " + DurationText(elapsedSeconds * (total - done) / done) + " left";
    return text;
}

std::string ListingProgressText(long blocks, double elapsedSeconds) {
    return "Dump list: " + std::to_string(blocks) + (blocks == 1 ? " block, " : " blocks, ") +
           DurationText(elapsedSeconds) + " elapsed";
}

}  // namespace tz::cli
