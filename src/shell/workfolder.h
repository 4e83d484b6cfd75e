// The working folder every file is looked up in (the installation's data folder) and the root
// of its file system, where the read-only marker "menue.cd" of CD installations lies.
#pragma once

#include <filesystem>
#include <string>

namespace tarvo {

class WorkFolder final {
public:
    WorkFolder(std::filesystem::path dir, std::filesystem::path driveRoot)
        : m_dir(std::move(dir)), m_driveRoot(std::move(driveRoot)) {}

    [[nodiscard]] const std::filesystem::path& Dir() const noexcept { return m_dir; }
    [[nodiscard]] std::filesystem::path File(const std::string& name) const { return m_dir / name; }
    // The program runs from read-only media: nothing is ever written back.
    [[nodiscard]] bool ReadOnlyMedia() const;

private:
    std::filesystem::path m_dir;
    std::filesystem::path m_driveRoot;
};

}  // namespace tarvo
