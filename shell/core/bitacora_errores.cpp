#include "shell/core/bitacora_errores.hpp"

#include <fcntl.h>
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
  const int fd = ::open(gsRutaLog.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) {
    const std::string causa = std::strerror(errno);
    showBox("No se pudo crear archivo " + gsRutaLog + "\r\n" + causa, vt::Icono::Informacion);
    return false;
  }
  ::close(fd);
  return true;
}

}  // namespace ambrix
