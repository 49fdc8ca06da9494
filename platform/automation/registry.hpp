#pragma once
// The class registry: which library file serves each programmatic identifier. A text file of
// sections, one per identifier:
//
//   [Valtrone.CLSValidarInformacion]
//   Class=CLSValidarInformacion
//   Interface=_CLSValidarInformacion
//   Library=/opt/ambrix/lib/libvaltrone.so
//   Threading=Apartment
//   CLSID={...}
//   TypeLib=Valtrone
//   HelpText=...

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vt::automation {

struct RegistryEntry {
  std::string progId;
  std::string className;
  std::string interfaceName;
  std::filesystem::path library;  // absolute
  std::string threading = "Apartment";
  std::string clsid;
  std::string typeLibrary;
  std::string helpText;
};

class Registry {
 public:
  // The file lookups read: $VALTRONE_REGISTRY; else the user's file
  // ($XDG_CONFIG_HOME or ~/.config, then ambrix/automation.reg) when it exists or there is no
  // system-wide one; else /etc/ambrix/automation.reg.
  static std::filesystem::path path();
  // The file registration writes: $VALTRONE_REGISTRY, else the user's file ("" without a home).
  static std::filesystem::path writablePath();

  // A missing file is an empty registry; lines that are not understood are skipped.
  static Registry load(const std::filesystem::path& file);
  // Loads, changes and saves under an exclusive lock, so that two registrations running at
  // once do not lose each other's entries.
  static void update(const std::filesystem::path& file, const std::function<void(Registry&)>& change);

  const std::filesystem::path& file() const { return file_; }
  const std::vector<RegistryEntry>& entries() const { return entries_; }
  std::optional<RegistryEntry> find(std::string_view progId) const;  // case-insensitive
  // Replaces the entry with the same identifier. Raises 5 on a field with a line break.
  void put(RegistryEntry entry);
  // Removes the entries served by `library`; returns how many.
  size_t removeLibrary(const std::filesystem::path& library);
  // Writes a new file and renames it over the old one; raises 75 when it cannot.
  void save() const;

 private:
  std::filesystem::path file_;
  std::vector<RegistryEntry> entries_;
};

}  // namespace vt::automation
