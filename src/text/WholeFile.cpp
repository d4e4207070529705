#include "text/WholeFile.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <system_error>

namespace tz {

std::filesystem::path TemporaryPathFor(const std::filesystem::path& target) {
    static std::atomic<unsigned> counter{0};
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    std::filesystem::path temp = target;
    temp += ".tmp~" + std::to_string(ticks % 1000000007) + "-" + std::to_string(++counter);
    return temp;
}

bool WriteFileWhole(const std::filesystem::path& target, std::string_view text, std::string* error) {
    const std::filesystem::path temp = TemporaryPathFor(target);
    const auto fail = [&](const std::string& why) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        if (error) *error = target.string() + ": " + why;
        return false;
    };
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) return fail("cannot create a file in its folder");
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out) return fail("write failed");
    }
    std::error_code ec;
    std::filesystem::rename(temp, target, ec);  // replaces the old file in one step
    if (ec) return fail(ec.message());
    return true;
}

}  // namespace tz
