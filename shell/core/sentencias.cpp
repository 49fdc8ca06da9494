#include "shell/core/sentencias.hpp"

#include "platform/conversions/conversions.hpp"
#include "platform/errors/err_object.hpp"
#include "platform/profile/configuracion.hpp"
#include "shell/core/avisos.hpp"
#include "shell/core/globals.hpp"

namespace ambrix {

namespace {

constexpr const char* kTablasVacias = "Nombre de tablas se encuentran vacios";
constexpr const char* kCamposVacios = "Nombre de campos se encuentran vacios";

// The table text split at its first blank: name and alias (trimmed; empty without one).
struct TablaAlias {
  std::string tabla;
  std::string alias;
};

TablaAlias splitAlias(const std::string& sTexto) {
  // Blanks around the text are no alias: " tbAT_Ventas " is the table alone.
  const std::string sTabla = vt::conv::Trim(sTexto);
  const auto blanco = sTabla.find(' ');
  if (blanco == std::string::npos) return {sTabla, ""};
  return {sTabla.substr(0, blanco), vt::conv::Trim(sTabla.substr(blanco))};
}

// The check shared by insert and select: the column message wins over the table message.
bool namesGiven(const std::string& sCampos, const std::string& sTabla) {
  if (sCampos.empty()) {
    showBox(kCamposVacios, vt::Icono::Informacion);
    return false;
  }
  if (sTabla.empty()) {
    showBox(kTablasVacias, vt::Icono::Informacion);
    return false;
  }
  return true;
}

}  // namespace

vt::db::Engine motorActual() {
  return vt::db::parseEngine(vt::conv::Upper(vt::currentConfiguration().sistema.gsMotorBD));
}

std::string deleteText(vt::db::Engine motor, const std::string& sTabla, const std::string& sCondicion) {
  const TablaAlias partes = splitAlias(sTabla);
  switch (motor) {
    case vt::db::Engine::Access:
      // SQLite wants the alias after AS and no "*".
      if (partes.alias.empty()) return "delete from " + sTabla + " " + sCondicion;
      return "delete from " + partes.tabla + " AS " + partes.alias + " " + sCondicion;
    case vt::db::Engine::Sql:
      return "delete " + partes.alias + " from " + sTabla + " " + sCondicion;
    case vt::db::Engine::Oracle:
      return "DELETE FROM " + sTabla + " " + sCondicion;
    default:
      return "";
  }
}

std::string insertText(const std::string& sCampos, const std::string& sTabla, const std::string& sValores) {
  return "insert into " + sTabla + " " + sCampos + " values " + sValores;
}

std::string selectText(const std::string& sCampos, const std::string& sTabla, const std::string& sCondicion) {
  return "SELECT " + sCampos + " FROM " + sTabla + " " + sCondicion;
}

bool gsEliminaRegistros(const std::string& sTabla, const std::string& sCondicion, long& lRegistros) {
  if (sTabla.empty()) {
    showBox(kTablasVacias, vt::Icono::Informacion);
    return false;
  }
  try {
    gConexion->execute(deleteText(motorActual(), sTabla, sCondicion), lRegistros);
    return true;
  } catch (...) {
    showCurrentError("Ha ocurrido el error al ejecutar DELETE");
    return false;
  }
}

std::string listaValores(std::span<const vt::db::SqlValue> asValores) {
  std::string texto = "(";
  for (std::size_t i = 0; i < asValores.size(); ++i) {
    asValores[i].appendLiteral(texto);
    texto += i + 1 < asValores.size() ? ", " : " ";
  }
  return texto + ")";
}

namespace {

// Runs an insert of gConexion, keeping a failure in vt::Err() for the caller's log.
template <class Inserta>
void insertaConError(const std::string& sCampos, const std::string& sTabla, Inserta&& inserta) {
  if (!namesGiven(sCampos, sTabla)) return;
  vt::Err().Clear();
  try {
    inserta();
  } catch (...) {
    // The store routines write the description into their error log.
    vt::Err().captureCurrentException(gsTitulo);
  }
}

}  // namespace

void gsInsertaRegistro(const std::string& sCampos, const std::string& sTabla, const std::string& sValores,
                       long& lRegistros) {
  insertaConError(sCampos, sTabla,
                  [&] { gConexion->execute(insertText(sCampos, sTabla, sValores), lRegistros); });
}

void gsInsertaFila(const std::string& sCampos, const std::string& sTabla, std::span<const vt::db::SqlValue> asValores,
                   long& lRegistros) {
  insertaConError(sCampos, sTabla, [&] {
    const std::string sCabeza = insertText(sCampos, sTabla, "");
    gConexion->insert(sCabeza, asValores, [&] { return sCabeza + listaValores(asValores); }, lRegistros);
  });
}

void gsAbreConsulta(const std::string& sCampos, const std::string& sTabla, const std::string& sCondicion,
                    vt::db::Recordset& rsConsulta, vt::db::CursorType tipo) {
  if (!namesGiven(sCampos, sTabla)) return;
  rsConsulta = vt::db::Recordset();
  try {
    rsConsulta.open(selectText(sCampos, sTabla, sCondicion), gConexion, tipo);
  } catch (...) {
    showCurrentError("Ha ocurrido el error al Ejecutar SELECT ");
  }
}

long gfCuentaFilas(const vt::db::Recordset& rs, const std::string& sCuenta) {
  const long lFilas = rs.recordCount();
  if (lFilas >= 0) return lFilas;
  vt::db::Recordset cuenta;
  cuenta.open(sCuenta, gConexion);
  return static_cast<long>(cuenta.field(0).asInteger());
}

}  // namespace ambrix
