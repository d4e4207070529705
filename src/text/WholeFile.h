#pragma once
// Files written whole or not at all: the text goes to a temporary file in the target's folder,
// which then replaces the target in one step. A failure leaves the target as it was.
#include <filesystem>
#include <string>
#include <string_view>

namespace tz {

// A name beside target that no other writer in this process (or a user's own "<name>.tmp") uses.
std::filesystem::path TemporaryPathFor(const std::filesystem::path& target);

// False with the reason in *error (when given) if the text could not be written.
bool WriteFileWhole(const std::filesystem::path& target, std::string_view text,
                    std::string* error = nullptr);

}  // namespace tz
