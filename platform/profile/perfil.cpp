#include "platform/profile/perfil.hpp"

#include <optional>

#include "platform/conversions/conversions.hpp"
#include "platform/profile/ini_file.hpp"
#include "platform/profile/system_info.hpp"
#include "platform/profile/text_file.hpp"

namespace vt {
namespace {

constexpr long kTamanoDefecto = 255;

std::string readTrimmed(const std::string& file, std::string_view section, std::string_view key,
                        std::string_view fallback, long& size) {
  if (size < 1) size = kTamanoDefecto;
  const std::optional<std::string> value = profile::readFileValue(file, conv::Trim(section), conv::Trim(key));
  return value ? *value : conv::Trim(fallback);
}

}  // namespace

std::string gfLeeIni(std::string_view sArchivo, std::string_view sSeccion, std::string_view sClave,
                     std::string_view sDefecto, long& lTamano) {
  return readTrimmed(conv::Trim(sArchivo), sSeccion, sClave, sDefecto, lTamano);
}

std::string gfLeeIni(std::string_view sArchivo, std::string_view sSeccion, std::string_view sClave,
                     std::string_view sDefecto) {
  long size = kTamanoDefecto;
  return gfLeeIni(sArchivo, sSeccion, sClave, sDefecto, size);
}

std::string gfLeeWinIni(std::string_view sSeccion, std::string_view sClave, std::string_view sDefecto,
                        long& lTamano) {
  return readTrimmed(regionalProfilePath(), sSeccion, sClave, sDefecto, lTamano);
}

bool gsEscribeIni(std::string_view sSeccion, std::string_view sClave, std::string_view sValor,
                  std::string_view sArchivo) {
  return profile::writeFileValue(std::string(sArchivo), sSeccion, sClave, sValor);
}

bool gfExisteArchivo(std::string_view sRuta) {
  const std::string path = conv::Trim(sRuta);
  if (path.empty() || path.find_first_of("*?") != std::string::npos) return false;
  // A folder, FIFO, device or socket is no file: opening one could block the run or read nothing.
  return pathKind(path) == PathKind::File;
}

std::string regionalProfilePath() {
  if (std::string path = environmentValue("AMBRIX_WIN_INI"); !path.empty()) return path;
  std::string config = environmentValue("XDG_CONFIG_HOME");
  // A relative XDG_CONFIG_HOME is invalid and ignored.
  if (config.empty() || config.front() != '/') config = joinPath(homeFolder(), ".config");
  return joinPath(config, "ambrix/win.ini");
}

}  // namespace vt
