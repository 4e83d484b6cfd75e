// A fresh temporary folder per test, removed afterwards, with small helpers to lay out files.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "base/fileio.h"

namespace tarvo::test {

class TempDir {
public:
    TempDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name =
            std::string("tarvo-") + (info ? std::string(info->test_suite_name()) + "-" + info->name() : "x");
        // The process in the name: test runs side by side (two build trees) keep apart.
        name += "-" + std::to_string(getpid());
        for (char& c : name) {
            if (c == '/') {
                c = '_';
            }
        }
        m_path = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path / "root");
        std::filesystem::create_directories(m_path / "work");
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    // The working folder and a stand-in for the root of its file system.
    [[nodiscard]] std::filesystem::path work() const { return m_path / "work"; }
    [[nodiscard]] std::filesystem::path root() const { return m_path / "root"; }

    // Writes a file of the working folder, its folders made as needed.
    void Write(const std::string& name, const std::string& bytes) const {
        std::filesystem::create_directories((work() / name).parent_path());
        std::ofstream(work() / name, std::ios::binary) << bytes;
    }
    void MakeFolder(const std::string& name) const { std::filesystem::create_directories(work() / name); }
    [[nodiscard]] std::string Read(const std::string& name) const {
        return ReadFileBytes(work() / name).value_or("<missing>");
    }

private:
    std::filesystem::path m_path;
};

}  // namespace tarvo::test
