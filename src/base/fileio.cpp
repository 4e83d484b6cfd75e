#include "base/fileio.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>
#include <random>

#include "base/cp1252.h"

namespace tarvo {

std::optional<std::string> ReadFileBytes(const std::filesystem::path& file) {
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec)) {
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    try {
        // A read error (a bad sector, a vanished network share) throws from the stream buffer.
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad()) {
            return std::nullopt;
        }
        return bytes;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        std::size_t len = end - start;
        if (len > 0 && text[start + len - 1] == '\r') {
            --len;
        }
        lines.emplace_back(text, start, len);
        start = end + 1;
    }
    return lines;
}

std::optional<std::vector<std::string>> ReadTextLines(const std::filesystem::path& file) {
    auto bytes = ReadFileBytes(file);
    if (!bytes) {
        return std::nullopt;
    }
    return SplitLines(*bytes);
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string out;
    std::size_t total = 0;
    for (const auto& l : lines) {
        total += l.size() + 2;
    }
    out.reserve(total);
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

namespace {
WriteResult Failed(const std::filesystem::path& file, int err) {
    return {false, Ansi("Datei kann nicht geschrieben werden: ") + file.filename().string() + " (" +
                       std::strerror(err) + ")"};
}
}  // namespace

WriteResult WriteFileAtomic(const std::filesystem::path& file, const std::string& bytes) {
    const std::filesystem::path dir = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    std::random_device rd;
    const std::filesystem::path tmp = dir / ("." + file.filename().string() + ".tmp" + std::to_string(rd() % 1000000));
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        return Failed(file, errno);
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int err = errno;
            ::close(fd);
            ::unlink(tmp.c_str());
            return Failed(file, err);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        const int err = errno;
        ::unlink(tmp.c_str());
        return Failed(file, err);
    }
    if (::rename(tmp.c_str(), file.c_str()) != 0) {
        const int err = errno;
        ::unlink(tmp.c_str());
        return Failed(file, err);
    }
    return {};
}

bool FileExists(const std::filesystem::path& file) {
    std::error_code ec;
    return std::filesystem::exists(file, ec);
}

int CopyMissingFiles(const std::filesystem::path& from, const std::filesystem::path& to, bool withFolders) {
    std::error_code ec;
    int copied = 0;
    std::filesystem::recursive_directory_iterator it(from, ec);
    if (ec) {
        return 0;
    }
    for (auto entry = begin(it); entry != end(it); entry.increment(ec)) {
        if (ec) {
            break;
        }
        if (!withFolders && entry->is_directory(ec)) {
            entry.disable_recursion_pending();
            continue;
        }
        const std::filesystem::path target = to / std::filesystem::relative(entry->path(), from, ec);
        if (ec) {
            ec.clear();
            continue;
        }
        if (entry->is_directory(ec)) {
            std::filesystem::create_directories(target, ec);
        } else if (!std::filesystem::exists(target, ec)) {
            std::filesystem::create_directories(target.parent_path(), ec);
            if (std::filesystem::copy_file(entry->path(), target, ec)) {
                ++copied;
            }
        }
        ec.clear();
    }
    return copied;
}

std::filesystem::path ShippedDataFolder(const std::filesystem::path& buildTree) {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const std::filesystem::path installed = exe.parent_path().parent_path() / "share" / "tarvo" / "data";
        if (std::filesystem::is_directory(installed, ec)) {
            return installed;
        }
    }
    return buildTree;
}

void RemoveStaleTempFiles(const std::filesystem::path& dir) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
        const std::string name = entry.path().filename().string();
        const auto tmp = name.rfind(".tmp");
        if (name.size() < 6 || name[0] != '.' || tmp == std::string::npos || tmp + 4 >= name.size() ||
            name.find_first_not_of("0123456789", tmp + 4) != std::string::npos) {
            continue;
        }
        std::error_code ignored;
        std::filesystem::remove(entry.path(), ignored);
    }
}

}  // namespace tarvo
