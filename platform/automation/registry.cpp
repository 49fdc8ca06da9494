#include "platform/automation/registry.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/conversions/conversions.hpp"
#include "platform/automation/errors.hpp"

namespace fs = std::filesystem;

namespace vt::automation {

namespace {

constexpr const char* kSource = "Registro de clases";
const fs::path kSystemFile = "/etc/ambrix/automation.reg";

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

fs::path userFile() {
  const std::string xdg = environment("XDG_CONFIG_HOME");
  if (!xdg.empty()) return fs::path(xdg) / "ambrix" / "automation.reg";
  const std::string home = environment("HOME");
  if (!home.empty()) return fs::path(home) / ".config" / "ambrix" / "automation.reg";
  return {};
}

std::string_view trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

void assign(RegistryEntry& e, std::string_view key, std::string value) {
  if (conv::SameText(key, "Class"))
    e.className = std::move(value);
  else if (conv::SameText(key, "Interface"))
    e.interfaceName = std::move(value);
  else if (conv::SameText(key, "Library"))
    e.library = value;
  else if (conv::SameText(key, "Threading"))
    e.threading = std::move(value);
  else if (conv::SameText(key, "CLSID"))
    e.clsid = std::move(value);
  else if (conv::SameText(key, "TypeLib"))
    e.typeLibrary = std::move(value);
  else if (conv::SameText(key, "HelpText"))
    e.helpText = std::move(value);
}

bool hasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

bool sameFile(const fs::path& a, const fs::path& b) {
  if (a.lexically_normal() == b.lexically_normal()) return true;
  std::error_code ec;
  return fs::equivalent(a, b, ec);
}

// Holds an exclusive lock on a companion file for as long as it lives.
class FileLock {
 public:
  explicit FileLock(const fs::path& file) {
    std::error_code ec;
    if (file.has_parent_path()) fs::create_directories(file.parent_path(), ec);
    const std::string lockName = file.string() + ".lock";
    fd_ = ::open(lockName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd_ < 0) raise(kErrPathAccess, kSource, lockName);
    while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
    }
  }
  ~FileLock() { ::close(fd_); }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  int fd_ = -1;
};

}  // namespace

fs::path Registry::path() {
  const std::string configured = environment("VALTRONE_REGISTRY");
  if (!configured.empty()) return configured;
  const fs::path user = userFile();
  std::error_code ec;
  if (!user.empty() && (fs::exists(user, ec) || !fs::exists(kSystemFile, ec))) return user;
  return kSystemFile;
}

fs::path Registry::writablePath() {
  const std::string configured = environment("VALTRONE_REGISTRY");
  if (!configured.empty()) return configured;
  return userFile();
}

Registry Registry::load(const fs::path& file) {
  Registry registry;
  registry.file_ = file;
  std::ifstream in(file);
  std::string line;
  std::optional<size_t> current;
  while (std::getline(in, line)) {
    const std::string_view text = trimmed(line);
    if (text.empty() || text.front() == ';' || text.front() == '#') continue;
    if (text.front() == '[' && text.back() == ']') {
      const std::string_view progId = trimmed(text.substr(1, text.size() - 2));
      auto& entries = registry.entries_;
      const auto found = std::find_if(entries.begin(), entries.end(), [&](const RegistryEntry& e) {
        return conv::SameText(e.progId, progId);
      });
      current = static_cast<size_t>(found - entries.begin());
      if (found == entries.end()) {
        entries.emplace_back();
        entries.back().progId = std::string(progId);
      }
      continue;
    }
    const auto equals = text.find('=');
    if (!current || equals == std::string_view::npos) continue;
    assign(registry.entries_[*current], trimmed(text.substr(0, equals)),
           std::string(trimmed(text.substr(equals + 1))));
  }
  return registry;
}

void Registry::update(const fs::path& file, const std::function<void(Registry&)>& change) {
  if (file.empty()) raise(kErrPathAccess, kSource, "no hay archivo de registro (defina VALTRONE_REGISTRY)");
  FileLock lock(file);
  Registry registry = load(file);
  change(registry);
  registry.save();
}

std::optional<RegistryEntry> Registry::find(std::string_view progId) const {
  for (const RegistryEntry& e : entries_) {
    if (conv::SameText(e.progId, progId)) return e;
  }
  return std::nullopt;
}

void Registry::put(RegistryEntry entry) {
  for (const std::string* field : {&entry.progId, &entry.className, &entry.interfaceName, &entry.threading,
                                   &entry.clsid, &entry.typeLibrary, &entry.helpText}) {
    if (hasLineBreak(*field)) raise(kErrInvalidCall, kSource, "salto de línea en " + entry.progId);
  }
  if (hasLineBreak(entry.library.string())) raise(kErrInvalidCall, kSource, entry.library.string());
  for (RegistryEntry& e : entries_) {
    if (conv::SameText(e.progId, entry.progId)) {
      e = std::move(entry);
      return;
    }
  }
  entries_.push_back(std::move(entry));
}

size_t Registry::removeLibrary(const fs::path& library) {
  return std::erase_if(entries_, [&](const RegistryEntry& e) { return sameFile(e.library, library); });
}

void Registry::save() const {
  std::ostringstream out;
  out << "; Clases de automatización registradas\n";
  for (const RegistryEntry& e : entries_) {
    out << "\n[" << e.progId << "]\n";
    out << "Class=" << e.className << "\n";
    out << "Interface=" << e.interfaceName << "\n";
    out << "Library=" << e.library.string() << "\n";
    out << "Threading=" << e.threading << "\n";
    if (!e.clsid.empty()) out << "CLSID=" << e.clsid << "\n";
    if (!e.typeLibrary.empty()) out << "TypeLib=" << e.typeLibrary << "\n";
    if (!e.helpText.empty()) out << "HelpText=" << e.helpText << "\n";
  }
  std::error_code ec;
  if (file_.has_parent_path()) fs::create_directories(file_.parent_path(), ec);
  const fs::path temporary = file_.string() + ".tmp" + std::to_string(::getpid());
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    file << out.str();
    file.flush();
    if (!file) {
      fs::remove(temporary, ec);
      raise(kErrPathAccess, kSource, file_.string());
    }
  }
  fs::rename(temporary, file_, ec);
  if (ec) {
    fs::remove(temporary, ec);
    raise(kErrPathAccess, kSource, file_.string());
  }
}

}  // namespace vt::automation
