#include "shell/core/globals.hpp"

namespace ambrix {

const std::array<std::string, 13> gaMeses = {"Enero",     "Febrero",   "Marzo",  "Abril",      "Mayo",
                                             "Junio",     "Julio",     "Agosto", "Septiembre", "Octubre",
                                             "Noviembre", "Diciembre", ""};

std::shared_ptr<vt::db::Connection> gConexion = vt::db::Connection::create();

ParametrosEmpresa gParametrosEmpresa;

bool gbContinuarProceso = true;

std::string gsArchivoLog;
std::string gsRutaLog;

}  // namespace ambrix
