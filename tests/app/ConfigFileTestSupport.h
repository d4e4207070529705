#pragma once
// A scratch folder per test for the configuration file tests.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "app/ConfigFile.h"

namespace tz {

class ConfigFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device seed;
        folder_ = std::filesystem::temp_directory_path() /
                  ("tz7300-app-" + std::to_string(seed()) + "-" + std::to_string(seed()));
        std::filesystem::create_directories(folder_);
        file_ = ConfigurationFilePath(folder_);
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }

    void WriteRaw(const std::string& bytes) const {
        std::ofstream out(file_, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }

    std::string ReadRaw() const {
        std::ifstream in(file_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // Writes the lines (joined by CR LF) and reads them into `state`.
    ConfigReadResult ReadLines(ProgramState& state, const std::string& lines) const {
        std::string text;
        for (char c : lines) text += c == '\n' ? std::string("\r\n") : std::string(1, c);
        WriteRaw(text);
        return ReadConfiguration(state, file_);
    }

    std::filesystem::path folder_;
    std::filesystem::path file_;
};

}  // namespace tz
