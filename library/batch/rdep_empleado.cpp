// RDEP, columns 0 to 11: the employer, the period and the employee (identification, names,
// establishment, residence, country, double-taxation agreement and disability condition); and the
// identification checks the employee and the disabled person share.

#include "library/batch/rdep.hpp"

namespace valtrone {

using vt::conv::FormatNumberText;
using vt::conv::IsNumericText;
using vt::conv::Left;
using vt::conv::Len;
using vt::conv::StrictNumber;
using vt::conv::Trim;
using vt::conv::Upper;

namespace {

// Letters and digits only, letters of either case; any other character (a blank, a hyphen, an
// accented letter) is refused.
bool soloLetrasYDigitos(const std::string& text) {
  for (const char c : text) {
    const bool valido = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (!valido) return false;
  }
  return true;
}

bool contieneEnie(const std::string& text) { return Upper(text).find("Ñ") != std::string::npos; }
bool dobleEspacio(const std::string& text) { return text.find("  ") != std::string::npos; }

// A name column: trimmed, upper case, at most 100 characters.
std::string nombreNormal(std::string_view cell) {
  return Upper(Left(FormatNumberText(Trim(cell), ">"), 100));
}

}  // namespace

void RdepRun::identificacion(FilaRdep& f, long col, const std::string& tipo, bool discapacitado) {
  BloqueErrorRegistro& b = f.bloque;
  const std::string id(f.get(col));
  const std::string empleado = std::string(f.get(kRApellidos)) + " " + std::string(f.get(kRNombres));
  if (tipo == "C") {
    const std::string idDiscapacitado = "Numero de ID Discapacitado";
    if (!IsNumericText(id)) {
      b.falla("Numero de cedula: " + id + " correspondiente a " + empleado + " debe ser numérico.");
    } else if ((discapacitado ? f.inicial(col) : StrictNumber(id).value_or(0)) <= 0) {
      b.falla((discapacitado ? idDiscapacitado : "Numero de cédula") + ": " + id + " correspondiente a " +
              empleado + " no puede ser cero.");
    } else if (!identidadValida(id, tipo, IdentityRules::VerificaRUC_Cedula)) {
      b.falla((discapacitado ? idDiscapacitado : "Numero de cédula") + " " + vt::conv::Right(id, 10) +
              " correspondiente a " + empleado + " no válido ");
    }
  } else if (tipo == "P" || tipo == "E") {
    if (Len(id) < 3)
      b.falla("Identificación de pasaporte/extranjero " + id + " debe ser al menos 3 caracteres de " +
              empleado);
    if (!soloLetrasYDigitos(id))
      b.falla("Identificación de pasaporte/extranjero " + id + " tiene caracteres no validos de " + empleado);
  }
}

void RdepRun::empleado(FilaRdep& f) {
  BloqueErrorRegistro& b = f.bloque;

  const std::string c0 = f.set(kRRucEmpresa, FormatNumberText(f.get(kRRucEmpresa), "0000000000000"));
  if (c0 != co_empresa_)
    b.falla("RUC de empresa de archivo " + c0 + " no coincide con la empresa seleccionada ", co_empresa_);

  f.set(kRMes, FormatNumberText(f.get(kRMes), "00"));

  const std::string c2 = f.set(kRAnio, FormatNumberText(f.get(kRAnio), "0000"));
  if (vt::conv::LeadingNumber(c2) != anio_)
    b.falla("Periodo: Año no coincide con el año seleccionado : ", c2);

  const std::string c3 = f.set(kRTipoId, Upper(Trim(FormatNumberText(f.get(kRTipoId), "#"))));
  if (c3.empty()) {
    b.falla("Tipo de Identificacion de Empleado " + c3 + " no válido ");
  } else if (!codigoRegistrado("IDD", c3)) {
    b.falla("Tipo de Identificacion de Empleado " + c3 + " no registrado (IDD) ");
  }
  if (c3 != "P" && c3 != "C" && c3 != "E") b.falla("Tipo de identificación de empleado no válido ", c3);

  const std::string c4 = f.set(kRIdEmpleado, Trim(FormatNumberText(f.get(kRIdEmpleado), "0000000000000")));

  const std::string c5 = f.set(kRApellidos, nombreNormal(f.get(kRApellidos)));
  if (c5.empty()) {
    b.falla("Apellidos de empleado " + c4 + " no puede estar vacío ");
  } else if (Len(c5) < 2) {
    b.falla("Apellidos de empleado " + c4 + " - " + c5 + " requiere minimo de 2 caracteres ");
  }
  const std::string c6 = f.set(kRNombres, nombreNormal(f.get(kRNombres)));
  if (c6.empty()) {
    b.falla("Nombre de empleado " + c4 + " no puede estar vacío ");
  } else if (Len(c6) < 2) {
    b.falla("Nombre de empleado " + c4 + " - " + c6 + " requiere minimo de 2 caracteres ");
  }

  const std::string empleado = "Empleado " + c5 + " " + c6;
  if (contieneEnie(c5)) {
    b.falla(empleado + " contiene en Apellidos caracter no permitido (Ñ;ñ) ");
  } else if (dobleEspacio(c5)) {
    b.falla(empleado + " contiene en Apellidos demasiados espacios entre los Apellidos ");
  }
  if (contieneEnie(c6)) {
    b.falla(empleado + " contiene en Nombres caracter no permitido (Ñ;ñ) ");
  } else if (dobleEspacio(c6)) {
    b.falla(empleado + " contiene demasiados espacios entre los Nombres ");
  }

  identificacion(f, kRIdEmpleado, c3, false);

  const std::string c7 = f.set(kREstablecimiento, FormatNumberText(Trim(f.get(kREstablecimiento)), "000"));
  if (!IsNumericText(c7)) {
    b.falla("Codigo de establecimiento: " + c7 + " debe ser numerico ");
  } else if (StrictNumber(c7) == 0.0) {
    b.falla("Codigo de establecimiento " + c7 + " no valido ");
  }

  const std::string c8 = f.set(
      kRResidencia, vt::conv::BlankToZero(Left(Upper(FormatNumberText(Trim(f.get(kRResidencia)), "#")), 1)));
  if (c8 == "0") {
    b.falla("Residencia Empleado. Codigo " + c8 + " no valido deberia ser L ó E");
  } else if (!codigoRegistrado("RES", c8)) {
    b.falla("Residencia Empleado. Codigo " + c8 + " no registrado (RES) ");
  }

  const std::string c9 = f.set(kRPais, FormatNumberText(f.get(kRPais), "000"));
  if (c8 == "L" && c9 != "593") {
    b.falla("Pais de residencia " + c9 + " incorrecto cuando residencia es Local, deberia ser 593 ");
  } else if (!paisRegistrado(c9)) {
    b.falla("Pais de residencia " + c9 + " no registrado en tabla de Ciudades ");
  }

  const bool antes2013 = f.antes2013();
  const std::string c10 =
      f.set(kRConvenio, Upper(FormatNumberText(Trim(vt::conv::BlankToZero(f.get(kRConvenio))), "0")));
  if (c10 == "0") {
    b.falla("Convenio Doble Tributacion " + c10 + " no valido ");
  } else if (c10 != "SD" && antes2013) {
    b.falla("Convenio Doble Tributacion " + c10 + " debe ser SD para periodos menores al 2013 ");
  } else if (!codigoRegistrado("DTR", c10)) {
    b.falla("Convenio Doble Tributacion. " + c10 + " no registrado (DTR) ");
  }

  const std::string c11 =
      f.set(kRDiscapacidad, vt::conv::BlankToZero(Upper(FormatNumberText(Trim(f.get(kRDiscapacidad)), "#"))));
  if (c11 == "0") {
    b.falla("Condicion de Discapacidad " + c11 + " no valido ");
  } else if (c11 != "SD" && antes2013) {
    b.falla("Condicion de Discapacidad " + c11 + " debe ser 'SD' para periodos menores al 2013 ");
  } else if (!codigoRegistrado("DIS", c11)) {
    b.falla("Condicion de Discapacidad " + c11 + " no registrado (DIS) ");
  }
}

}  // namespace valtrone
