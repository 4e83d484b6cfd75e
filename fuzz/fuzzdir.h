// The working folder of one fuzz process: its own per target and process, made once, so that two
// targets (or two runs of one) never share files; removed when the process ends.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

inline std::filesystem::path FuzzDir(const std::string& name) {
    auto d = std::filesystem::temp_directory_path() / ("tarvo-fuzz-" + name + "-" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    struct Remover {
        std::filesystem::path dir;
        ~Remover() {
            std::error_code ignored;
            std::filesystem::remove_all(dir, ignored);
        }
    };
    static const Remover remover{d};
    return d;
}
