#include "shell/core/bitacora_errores.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/conversions/conversions.hpp"
#include "platform/errors/err_object.hpp"
#include "platform/profile/system_info.hpp"
#include "shell/core/avisos.hpp"
#include "shell/core/globals.hpp"

namespace ambrix {

std::string errorLogName(const std::string& sAnio, const std::string& sMes) {
  return "tolvexError_" + sAnio + "-" + vt::conv::FormatNumberText(sMes, "00") + ".txt";
}

bool createErrorLog(const std::string& sPathLog, const std::string& sAnio, const std::string& sMes) {
  gsArchivoLog = errorLogName(sAnio, sMes);
  gsRutaLog = vt::joinPath(sPathLog, gsArchivoLog);
  vt::Err().Clear();
  // Only a regular file (or none) is the log: a FIFO or a device at that path must neither block
  // the run nor be emptied, so nothing is truncated before the kind is known.
  constexpr const char* kNoEsArchivo = "La ruta no es un archivo común";
  struct stat st {};
  if (::stat(gsRutaLog.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    showBox("No se pudo crear archivo " + gsRutaLog + "\r\n" + kNoEsArchivo, vt::Icono::Informacion);
    return false;
  }
  const int fd = ::open(gsRutaLog.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  std::string causa;
  if (fd < 0) {
    causa = std::strerror(errno);
  } else if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    causa = kNoEsArchivo;
  } else if (::ftruncate(fd, 0) != 0) {
    causa = std::strerror(errno);
  }
  if (fd >= 0) ::close(fd);
  if (!causa.empty()) {
    showBox("No se pudo crear archivo " + gsRutaLog + "\r\n" + causa, vt::Icono::Informacion);
    return false;
  }
  return true;
}

bool errorLogHasEntries() {
  struct stat st {};
  return !gsRutaLog.empty() && ::stat(gsRutaLog.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0;
}

}  // namespace ambrix
