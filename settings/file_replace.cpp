#include "settings/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>

namespace quillmark {
namespace {

constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

std::string FolderOf(const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path();
  return folder.empty() ? "." : folder;
}

// Closes a descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Closes now, reporting whether the close succeeded.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Creates a file with a fresh name beside `path`, open for writing, with
// `mode` less the umask.
Descriptor CreateTemporary(const std::string& path, mode_t mode,
                           std::string& temp_path) {
  // O_EXCL makes the name safe; the clock and the process id only make a
  // clash with another writer unlikely.
  auto unique = static_cast<unsigned>(
      std::chrono::steady_clock::now().time_since_epoch().count() ^
      (static_cast<long long>(::getpid()) << 20));
  for (int attempt = 0; attempt < 16; ++attempt, ++unique) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", unique);
    temp_path = path + suffix;
    const int fd = ::open(temp_path.c_str(),
                          O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return Descriptor(fd);
  }
  return Descriptor(-1);
}

// Gives the new file the owner and permission bits of the one it replaces.
// Taking the owner over works only where the process may do it (as root);
// elsewhere the file keeps this process's owner.
bool TakeOverAttributes(int fd, const struct stat& old) {
  if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
    [[maybe_unused]] const int ignored = ::fchown(fd, old.st_uid, old.st_gid);
  }
  return ::fchmod(fd, old.st_mode & 07777) == 0;
}

bool IsReadOnly(const std::string& path, const struct stat& info) {
  return (info.st_mode & kWriteBits) == 0 ||
         ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0;
}

}  // namespace

FileContent ReadWholeFile(const std::string& path) {
  Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) {
    return {errno == ENOENT ? FileContent::State::kMissing
                            : FileContent::State::kUnreadable,
            {}};
  }
  struct stat info;
  if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    return {FileContent::State::kUnreadable, {}};
  }
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(file.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return {FileContent::State::kUnreadable, {}};
    if (n == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  return {FileContent::State::kRead, std::move(bytes)};
}

namespace {

// Moves the finished temporary over `path` in one atomic step. Over an
// existing file it swaps the two names and then deletes the old content: a
// plain rename over a file makes ext4 start writing the new data out at once,
// which costs milliseconds on each of a save's many writes. The store syncs
// the file when it is released, so the save as a whole still reaches the disk.
bool PutInPlace(const std::string& temp_path, const std::string& path,
                bool exists) {
  if (exists && ::renameat2(AT_FDCWD, temp_path.c_str(), AT_FDCWD,
                            path.c_str(), RENAME_EXCHANGE) == 0) {
    ::unlink(temp_path.c_str());
    return true;
  }
  return ::rename(temp_path.c_str(), path.c_str()) == 0;
}

}  // namespace

bool ReplaceFileContent(const std::string& path, std::string_view content) {
  struct stat old;
  const bool exists = ::stat(path.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return false;
  if (exists && (!S_ISREG(old.st_mode) || IsReadOnly(path, old))) return false;
  struct stat folder;
  if (::stat(FolderOf(path).c_str(), &folder) != 0 ||
      (folder.st_mode & kWriteBits) == 0) {
    return false;
  }

  std::string temp_path;
  Descriptor temp = CreateTemporary(path, exists ? 0600 : 0666, temp_path);
  if (temp.get() < 0) return false;
  const bool written = WriteAll(temp.get(), content) &&
                       (!exists || TakeOverAttributes(temp.get(), old)) &&
                       temp.Close() && PutInPlace(temp_path, path, exists);
  if (!written) ::unlink(temp_path.c_str());
  return written;
}

void SyncToDisk(const std::string& path) {
  for (const std::string& name : {path, FolderOf(path)}) {
    Descriptor fd(::open(name.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() >= 0) ::fsync(fd.get());
  }
}

}  // namespace quillmark
