#pragma once
// The inserts of one row of the purchases sheet: its purchase (tbAT_Cmprs), its income-tax
// withholdings (tbAT_Cmprs_IR) and its reimbursement (tbAT_Cmprs_RE), apart from the routine so
// that the texts of each engine can be checked without a database.

#include <string>
#include <vector>

#include "import/almacen_periodo.hpp"
#include "platform/automation/string_matrix.hpp"

namespace ambrix {

// The looked-up codes of a purchase: the supplier type ('PER') and the payment forms ('FPG').
struct CodigosCompra {
  std::string sTipoProveedor = "0";  // ft_Format of the supplier type, or "0"
  std::string sFormasPago;           // ft_Format of each payment form found, joined by "-"
};

// Columns 5 and 52 "R", "C", "P" (trimmed, upper case) become "01", "02", "03" in the sheet.
void convierteTiposId(vt::automation::StringMatrix& hoja, long fila);
// Column 51 empty (leading number 0) becomes "01/01/2000" in the sheet.
void fechaRetencionVacia(vt::automation::StringMatrix& hoja, long fila);

ListaInsercion filaCompra(const ContextoAlmacen& c, const vt::automation::StringMatrix& hoja, long fila,
                          const CodigosCompra& codigos);
// The blocks written: every block whose code has a leading number other than 0, in order; when
// none has, block 1 alone (indexes 1 to 3).
std::vector<int> bloquesRetencion(const vt::automation::StringMatrix& hoja, long fila);
ListaInsercion filaRetencion(const ContextoAlmacen& c, const vt::automation::StringMatrix& hoja, long fila,
                             int bloque);
ListaInsercion filaReembolso(const ContextoAlmacen& c, const vt::automation::StringMatrix& hoja, long fila,
                             double NuComprob);

// The voucher a purchase row stands for, as the annex ties withholdings to it: company, period,
// supplier, support and voucher type, serie, sequential and authorisation, in the stored forms.
std::string claveComprobante(const vt::automation::StringMatrix& hoja, long fila);
// The same voucher as the log names it: "proveedor ..., tipo ..., serie ..., secuencial ...".
std::string describeComprobante(const vt::automation::StringMatrix& hoja, long fila);

// The statement that reads the key of the purchase row just inserted, as the engine takes it.
std::string consultaIdentidad(vt::db::Engine motor);

}  // namespace ambrix
