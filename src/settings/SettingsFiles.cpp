#include "settings/SettingsFiles.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>
#include <thread>

#if defined(__unix__)
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace pilotune {

namespace {

fs::path U8Path(const std::string& utf8) {
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

FileReplace Failure(const std::string& path, std::string_view reason) {
    FileReplace r;
    r.ok = false;
    r.path = path;
    r.reason = reason;
    return r;
}

// A name no other save uses at the same moment, in this process or another.
std::string TemporaryName(const std::string& path) {
    static std::atomic<std::uint64_t> counter{0};
    thread_local std::mt19937_64 random{
        std::random_device{}() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count())};
    char buf[40];
    std::snprintf(buf, sizeof buf, ".%016llx%llx.tmp", static_cast<unsigned long long>(random()),
                  static_cast<unsigned long long>(counter++));
    return path + buf;
}

// Writes `bytes` into a new file `temp` that must not exist yet.
bool WriteNew(const std::string& temp, std::string_view bytes, bool& created) {
#if defined(__unix__)
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    created = fd >= 0;
    if (fd < 0) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            ::close(fd);
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return ::close(fd) == 0;
#else
    std::ofstream out(U8Path(temp), std::ios::binary | std::ios::trunc);
    created = static_cast<bool>(out);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
#endif
}

#if defined(__unix__)
class FolderLock final : public FileLock {
  public:
    explicit FolderLock(int fd) : fd_(fd) {}
    ~FolderLock() override {
        ::flock(fd_, LOCK_UN);
        ::close(fd_);
    }

  private:
    int fd_;
};
#endif

} // namespace

const SettingsFiles* DefaultSettingsFiles() {
    static const PortableSettingsFiles files;
    return &files;
}

std::unique_ptr<FileLock> PortableSettingsFiles::Lock(const std::string& path) const {
#if defined(__unix__)
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    // Bounded: a save holds it for the time of one write.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (std::chrono::steady_clock::now() > until) {
            ::close(fd);
            return nullptr;
        }
        std::this_thread::yield();
    }
    return std::make_unique<FolderLock>(fd);
#else
    (void)path;
    return nullptr;
#endif
}

FileStamp PortableSettingsFiles::Stamp(const std::string& path) const {
    FileStamp s;
#if defined(__unix__)
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return s;
    s.exists = true;
    s.id = (static_cast<std::uint64_t>(st.st_dev) << 40) ^ static_cast<std::uint64_t>(st.st_ino);
    s.size = static_cast<std::uint64_t>(st.st_size);
    s.time = static_cast<std::uint64_t>(st.st_mtim.tv_sec) * 1000000000u +
             static_cast<std::uint64_t>(st.st_mtim.tv_nsec);
#else
    std::error_code ec;
    const fs::path p = U8Path(path);
    if (!fs::exists(p, ec)) return s;
    s.exists = true;
    s.size = fs::is_regular_file(p, ec) ? fs::file_size(p, ec) : 0;
    s.time = static_cast<std::uint64_t>(fs::last_write_time(p, ec).time_since_epoch().count());
#endif
    return s;
}

FileRead PortableSettingsFiles::Read(const std::string& path) const {
    FileRead r;
    const fs::path p = U8Path(path);
    std::error_code ec;
    if (!fs::exists(p, ec) || fs::is_directory(p, ec)) return r;
    r.stamp = Stamp(path);
    std::ifstream in(p, std::ios::binary);
    if (!in) {
        r.status = FileRead::kFailed;
        return r;
    }
    // Read by blocks: the size a stream reports is not to be trusted for
    // every kind of file.
    if (r.stamp.size < (std::uint64_t{1} << 30)) r.bytes.reserve(r.stamp.size);
    char block[1 << 16];
    while (in.read(block, sizeof block) || in.gcount() > 0)
        r.bytes.append(block, static_cast<std::size_t>(in.gcount()));
    r.status = in.bad() ? FileRead::kFailed : FileRead::kRead;
    return r;
}

FileReplace PortableSettingsFiles::Replace(const std::string& path, std::string_view bytes,
                                           const FileStamp* expected) const {
    const fs::path target = U8Path(path);
    std::error_code ec;
    const auto status = fs::status(target, ec);
    if (fs::is_directory(status)) return Failure(path, kReasonFolder);
    if (fs::exists(status) && (status.permissions() & fs::perms::owner_write) == fs::perms::none)
        return Failure(path, kReasonReadOnly);

    const std::string temp = TemporaryName(path);
    bool created = false;
    const bool written = WriteNew(temp, bytes, created);
    auto drop = [&] {
        std::error_code ignored;
        fs::remove(U8Path(temp), ignored);
    };
    if (!written) {
        if (created) drop();
        return Failure(path, created ? kReasonWrite : kReasonCreate);
    }
    FileReplace r;
    r.path = path;
    r.written = Stamp(temp); // a rename keeps it
    if (expected && Stamp(path) != *expected) {
        drop();
        r.ok = false;
        r.conflict = true;
        return r;
    }
    fs::rename(U8Path(temp), target, ec);
    if (ec) {
        drop();
        return Failure(path, kReasonReplace);
    }
    return r;
}

} // namespace pilotune
