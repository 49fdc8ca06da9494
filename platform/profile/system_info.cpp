#include "platform/profile/system_info.hpp"

#include <dlfcn.h>
#include <pwd.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <vector>

#include "platform/conversions/conversions.hpp"

namespace vt {
namespace {

std::optional<passwd> passwordEntry(std::vector<char>& buffer) {
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  buffer.resize(size > 0 ? static_cast<std::size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found) {
    return std::nullopt;
  }
  return entry;
}

std::string folderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

std::string environmentValue(const char* name) {
  const char* value = name ? std::getenv(name) : nullptr;
  return value ? value : "";
}

std::optional<std::string> hostName() {
  char buffer[256] = {};
  if (::gethostname(buffer, sizeof buffer - 1) != 0) return std::nullopt;
  return std::string(buffer);
}

std::string stationFromHostName(std::string_view host) {
  return conv::Left(conv::Upper(host.substr(0, host.find('.'))), 20);
}

std::string userName() {
  std::vector<char> buffer;
  if (const auto entry = passwordEntry(buffer); entry && entry->pw_name) return entry->pw_name;
  return environmentValue("USER");
}

std::string homeFolder() {
  if (std::string home = environmentValue("HOME"); !home.empty()) return home;
  std::vector<char> buffer;
  if (const auto entry = passwordEntry(buffer); entry && entry->pw_dir) return entry->pw_dir;
  return "";
}

std::string executableFolder() {
  char buffer[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return ".";
  return folderOf(std::string(buffer, static_cast<std::size_t>(n)));
}

std::string folderOfAddress(const void* address) {
  Dl_info info{};
  if (::dladdr(address, &info) == 0 || !info.dli_fname || !*info.dli_fname) return executableFolder();
  char buffer[PATH_MAX];
  if (::realpath(info.dli_fname, buffer) == nullptr) return folderOf(info.dli_fname);
  return folderOf(buffer);
}

std::string configFolder(const char* environmentVariable, const std::string& ownFolder) {
  std::string folder = environmentValue(environmentVariable);
  return withoutTrailingSlash(folder.empty() ? ownFolder : folder);
}

std::string programConfigFolder() { return configFolder("AMBRIX_CONFIG_DIR", executableFolder()); }

std::string joinPath(std::string_view folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  return withTrailingSlash(folder) + std::string(name);
}

std::string withTrailingSlash(std::string_view folder) {
  std::string path(folder);
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

std::string withoutTrailingSlash(std::string_view path) {
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  return std::string(path);
}

}  // namespace vt
