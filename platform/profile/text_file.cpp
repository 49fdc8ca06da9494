#include "platform/profile/text_file.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace vt {
namespace {

bool writeAll(int fd, std::string_view content) {
  const char* p = content.data();
  std::size_t left = content.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

std::string resolveLink(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char buffer[PATH_MAX];
  if (::realpath(path.c_str(), buffer) == nullptr) return path;
  return buffer;
}

// The pid in a temporary file's name "<name>.tmp<pid>_<n>" of the target `name`, or -1.
pid_t temporaryOwner(std::string_view entry, std::string_view name) {
  static constexpr std::string_view kMark = ".tmp";
  if (entry.size() <= name.size() + kMark.size() || entry.substr(0, name.size()) != name ||
      entry.substr(name.size(), kMark.size()) != kMark)
    return -1;
  const std::string_view rest = entry.substr(name.size() + kMark.size());
  const std::size_t underscore = rest.find('_');
  if (underscore == 0 || underscore == std::string_view::npos || underscore + 1 == rest.size() ||
      underscore > 9)
    return -1;
  pid_t pid = 0;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    const char c = rest[i];
    if (i == underscore) continue;
    if (c < '0' || c > '9') return -1;
    if (i < underscore) pid = pid * 10 + (c - '0');
  }
  return pid;
}

// Removes the temporary files an earlier replacement of the target left when its process died
// before the rename (killed, or the machine stopped): those whose process is gone. A temporary of
// a live process, this one included, may still be being written and stays.
void removeStaleTemporaries(const std::string& target) {
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash == 0 ? 1 : slash);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    const pid_t owner = temporaryOwner(entry->d_name, name);
    if (owner <= 0 || owner == ::getpid() || ::kill(owner, 0) == 0 || errno != ESRCH) continue;
    const std::string path = folder + "/" + entry->d_name;
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::unlink(path.c_str());
  }
  ::closedir(dir);
}

// The temporary file of one replacement: closed and removed unless it was renamed, also when the
// content raised.
struct Temporary {
  std::string path;
  int fd = -1;
  bool renamed = false;
  Temporary() = default;
  Temporary(const Temporary&) = delete;
  Temporary& operator=(const Temporary&) = delete;
  ~Temporary() {
    if (fd >= 0) ::close(fd);
    if (!renamed && !path.empty()) ::unlink(path.c_str());
  }
  // Closes the file; false when the close reports an error of the writes.
  bool close() {
    const int closing = fd;
    fd = -1;
    return ::close(closing) == 0;
  }
};

}  // namespace

std::optional<std::string> readWholeFile(const std::string& path, std::uint64_t maxBytes, ReadFailure* why) {
  auto failed = [why](ReadFailure reason) -> std::optional<std::string> {
    if (why) *why = reason;
    return std::nullopt;
  };
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return failed(ReadFailure::CannotRead);
  if (!S_ISREG(st.st_mode)) return failed(ReadFailure::NotRegularFile);
  // Non-blocking, and checked again once open, in case the path changed in between.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return failed(ReadFailure::CannotRead);
  std::optional<std::string> content;
  ReadFailure reason = ReadFailure::CannotRead;
  if (::fstat(fd, &st) != 0) {
    reason = ReadFailure::CannotRead;
  } else if (!S_ISREG(st.st_mode)) {
    reason = ReadFailure::NotRegularFile;
  } else if (static_cast<std::uint64_t>(st.st_size) > maxBytes) {
    reason = ReadFailure::TooLarge;
  } else {
    std::string bytes(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t used = 0;
    for (;;) {
      if (used == bytes.size()) {
        if (used > maxBytes) {
          reason = ReadFailure::TooLarge;
          break;
        }
        // The file may have grown since fstat: read on, one byte past the cap at most.
        bytes.resize(std::min<std::uint64_t>(maxBytes + 1, used + (used < 4096 ? 4096 : used)));
        if (used == bytes.size()) {
          reason = ReadFailure::TooLarge;
          break;
        }
      }
      const ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) break;
      if (n == 0) {
        bytes.resize(used);
        content = std::move(bytes);
        break;
      }
      used += static_cast<std::size_t>(n);
    }
  }
  ::close(fd);
  if (!content) return failed(reason);
  return content;
}

PathKind pathKind(const std::string& path) {
  struct stat st {};
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return PathKind::Missing;
  if (S_ISREG(st.st_mode)) return PathKind::File;
  return S_ISDIR(st.st_mode) ? PathKind::Folder : PathKind::Other;
}

bool pathExists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

bool replaceFile(const std::string& path, const std::string& content) {
  return replaceFile(path, [&content](const ChunkSink& sink) { return sink(content); });
}

bool replaceFile(const std::string& path, const std::function<bool(const ChunkSink&)>& content,
                 std::string* reason) {
  static std::atomic<unsigned> counter{0};
  const auto failed = [reason](int errorNumber) {
    if (reason) *reason = writeFailureReason(errorNumber);
    return false;
  };
  const std::string target = resolveLink(path);
  struct stat original {};
  const bool existed = ::stat(target.c_str(), &original) == 0;
  removeStaleTemporaries(target);

  Temporary temp;
  for (int attempt = 0; attempt < 100 && temp.fd < 0; ++attempt) {
    temp.path = target + ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
    temp.fd = ::open(temp.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (temp.fd < 0 && errno != EEXIST) {
      temp.path.clear();  // not ours
      return failed(errno);
    }
  }
  if (temp.fd < 0) {
    temp.path.clear();
    return failed(EEXIST);
  }

  const int fd = temp.fd;
  bool ok = content([fd, &failed](std::string_view piece) { return writeAll(fd, piece) || failed(errno); });
  if (!ok) return false;
  if (existed && ::fchmod(fd, original.st_mode & 07777) != 0) return failed(errno);
  if (::fsync(fd) != 0) return failed(errno);
  if (!temp.close()) return failed(errno);
  if (::rename(temp.path.c_str(), target.c_str()) != 0) return failed(errno);
  temp.renamed = true;
  return true;
}

std::string writeFailureReason(int errorNumber) {
  switch (errorNumber) {
    case ENOSPC:
      return "disco lleno";
    case EDQUOT:
      return "cuota de disco agotada";
    case EFBIG:
      return "el archivo supera el tamaño permitido";
    case EACCES:
    case EPERM:
      return "sin permiso de escritura";
    case EROFS:
      return "disco de solo lectura";
    case ENOENT:
    case ENOTDIR:
      return "la carpeta no existe";
    case EISDIR:
      return "la ruta es una carpeta";
    case EIO:
      return "error de escritura en el disco";
    default:
      return std::strerror(errorNumber);
  }
}

bool appendToFile(const std::string& path, std::string_view content, std::string* reason) {
  const auto failed = [reason](int errorNumber) {
    if (reason) *reason = writeFailureReason(errorNumber);
    return false;
  };
  if (path.empty()) return failed(ENOENT);
  int fd = -1;
  do {
    fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return failed(errno);
  if (!writeAll(fd, content)) {
    const int errorNumber = errno;
    ::close(fd);
    return failed(errorNumber);
  }
  if (::close(fd) != 0) return failed(errno);
  return true;
}

}  // namespace vt
