#include "base/fileio.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>

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

namespace {

// The damaged files noted and not yet taken, and those already reported (each file and kind is
// reported once until it is read whole again). Bounded: a session reads a few dozen files.
struct FileNotes {
    std::vector<FileNote> pending;
    std::vector<FileNote> reported;
};
FileNotes& Notes() {
    static FileNotes notes;
    return notes;
}
constexpr std::size_t kMaxNotes = 64;

bool Same(const FileNote& n, const std::filesystem::path& file, FileDamage damage) {
    return n.damage == damage && n.file == file;
}

// The file read as text without damage: its text damage is said again should it return.
void FileReadWhole(const std::filesystem::path& file) {
    auto& r = Notes().reported;
    r.erase(std::remove_if(r.begin(), r.end(),
                           [&](const FileNote& n) { return n.file == file && n.damage < FileDamage::NotNumbers; }),
            r.end());
}

bool BinaryByte(unsigned char c) {
    // TAB, LF, FF, CR and the old end-of-file mark 0x1A occur in text files (and 0x7F, the
    // comparison's bar marker, in result lines).
    return c < 0x20 && c != '\t' && c != '\n' && c != '\f' && c != '\r' && c != 0x1A;
}

bool HasLongLine(const std::string& bytes) {
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) {
            end = bytes.size();
        }
        if (end - start > kMaxFileLine + 1) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

}  // namespace

void NoteFileWhole(const std::filesystem::path& file) {
    auto& r = Notes().reported;
    r.erase(std::remove_if(r.begin(), r.end(), [&](const FileNote& n) { return n.file == file; }), r.end());
}

void ResetFileNotes() {
    Notes().pending.clear();
    Notes().reported.clear();
}

void NoteFileDamage(const std::filesystem::path& file, FileDamage damage) {
    FileNotes& notes = Notes();
    for (const auto* list : {&notes.pending, &notes.reported}) {
        if (std::any_of(list->begin(), list->end(), [&](const FileNote& n) { return Same(n, file, damage); })) {
            return;
        }
    }
    if (notes.pending.size() < kMaxNotes) {
        notes.pending.push_back({file, damage});
    }
}

namespace {
std::function<void()>& Teller() {
    static std::function<void()> teller;
    return teller;
}
}  // namespace

void SetFileNoteTeller(std::function<void()> teller) { Teller() = std::move(teller); }

void TellFileNotes() {
    if (Teller()) {
        Teller()();
    }
}

std::vector<FileNote> TakeFileNotes() {
    FileNotes& notes = Notes();
    std::vector<FileNote> taken = std::move(notes.pending);
    notes.pending.clear();
    for (const auto& n : taken) {
        if (notes.reported.size() < kMaxNotes) {
            notes.reported.push_back(n);
        }
    }
    return taken;
}

std::optional<std::string> CheckedText(const std::filesystem::path& file, std::string bytes, bool cutOff) {
    if (std::any_of(bytes.begin(), bytes.end(), [](char c) { return BinaryByte(static_cast<unsigned char>(c)); })) {
        NoteFileDamage(file, FileDamage::Binary);
        return std::nullopt;
    }
    if (HasLongLine(bytes)) {
        NoteFileDamage(file, FileDamage::LongLine);
        return std::nullopt;
    }
    bool damaged = false;
    if (cutOff) {
        NoteFileDamage(file, FileDamage::Cut);
        damaged = true;
    }
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0 || LooksLikeUtf8(bytes)) {
        if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
            bytes.erase(0, 3);
        }
        bytes = Utf8ToAnsi(bytes);
        // A file marked as UTF-8 whose content is not: what the conversion made of it must be
        // text too, or the program would write control characters back into its own files.
        if (std::any_of(bytes.begin(), bytes.end(), [](char c) { return BinaryByte(static_cast<unsigned char>(c)); })) {
            NoteFileDamage(file, FileDamage::Binary);
            return std::nullopt;
        }
        NoteFileDamage(file, FileDamage::Utf8);
        damaged = true;
    }
    if (!damaged) {
        FileReadWhole(file);
    }
    return bytes;
}

std::optional<std::string> ReadTextFile(const std::filesystem::path& file, bool ownFile) {
    auto bytes = ReadFileBytes(file);
    if (!bytes) {
        return std::nullopt;
    }
    const bool cutOff = ownFile && !bytes->empty() && bytes->back() != '\n';
    return CheckedText(file, std::move(*bytes), cutOff);
}

namespace {
std::optional<std::vector<std::string>> Lines(const std::optional<std::string>& text) {
    return text ? std::optional(SplitLines(*text)) : std::nullopt;
}
}  // namespace

std::optional<std::vector<std::string>> ReadTextLines(const std::filesystem::path& file) {
    return Lines(ReadTextFile(file));
}

std::optional<std::vector<std::string>> ReadOwnTextLines(const std::filesystem::path& file) {
    return Lines(ReadTextFile(file, true));
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
    return {false,
            Ansi("Datei kann nicht geschrieben werden: ") + file.filename().string() + " (" + std::strerror(err) + ")"};
}

WriteStepObserver& StepObserver() {
    static WriteStepObserver observer;
    return observer;
}

void Step(std::string_view step, const std::filesystem::path& path) {
    if (StepObserver()) {
        StepObserver()(step, path);
    }
}

// Flushes the folder's entries (the rename) to disk. A file system that cannot sync a folder
// (EINVAL) has nothing more to flush.
int SyncFolder(const std::filesystem::path& dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return errno;
    }
    int err = ::fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
    if (::close(fd) != 0 && err == 0) {
        err = errno;
    }
    if (err == 0) {
        Step("fsync", dir);
    }
    return err;
}

// The kill test's aim: with TARVO_WRITE_PAUSE_MS set, every atomic write pauses that long, half
// of it half-way through the bytes and half before the rename, so that a kill can be sent into
// the two moments a crash must never spoil.
int WritePauseMs() {
    static const int ms = [] {
        const char* v = std::getenv("TARVO_WRITE_PAUSE_MS");
        return v == nullptr ? 0 : std::clamp(std::atoi(v), 0, 1000);
    }();
    return ms;
}

void WritePause() {
    if (WritePauseMs() > 0) {
        std::this_thread::sleep_for(std::chrono::microseconds(WritePauseMs() * 500));
    }
}

// Writes all of `size` bytes, retrying after signals; false with errno set on failure.
bool WriteAll(int fd, const char* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}
}  // namespace

void SetWriteStepObserver(WriteStepObserver observer) { StepObserver() = std::move(observer); }

WriteResult WriteFileAtomic(const std::filesystem::path& file, const std::string& bytes) {
    const std::filesystem::path dir = file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
    std::random_device rd;
    const std::filesystem::path tmp = dir / ("." + file.filename().string() + ".tmp" + std::to_string(rd() % 1000000));
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        return Failed(file, errno);
    }
    const auto fail = [&](int err) {
        ::close(fd);
        ::unlink(tmp.c_str());
        return Failed(file, err);
    };
    // The file it replaces keeps its permission bits (one made read-only for others stays so).
    struct stat old {};
    if (::stat(file.c_str(), &old) == 0 && S_ISREG(old.st_mode) && ::fchmod(fd, old.st_mode & 07777) != 0) {
        return fail(errno);
    }
    const std::size_t half = bytes.size() / 2;
    if (!WriteAll(fd, bytes.data(), half)) {
        return fail(errno);
    }
    WritePause();
    if (!WriteAll(fd, bytes.data() + half, bytes.size() - half)) {
        return fail(errno);
    }
    if (::fsync(fd) != 0) {
        return fail(errno);
    }
    Step("fsync", tmp);
    WritePause();
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(tmp.c_str());
        return Failed(file, err);
    }
    if (::rename(tmp.c_str(), file.c_str()) != 0) {
        const int err = errno;
        ::unlink(tmp.c_str());
        return Failed(file, err);
    }
    Step("rename", file);
    if (const int err = SyncFolder(dir); err != 0) {
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
