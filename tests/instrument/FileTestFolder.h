#pragma once
// A fresh folder under the system's temporary folder for one test, removed afterwards.
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace tz::testing {

class FileTestFolder {
public:
    FileTestFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = info ? info->name() : "test";
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("tz_" + name + "_" + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~FileTestFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    FileTestFolder(const FileTestFolder&) = delete;
    FileTestFolder& operator=(const FileTestFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

inline std::string ReadWholeFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteWholeFile(const std::filesystem::path& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
}

}  // namespace tz::testing
