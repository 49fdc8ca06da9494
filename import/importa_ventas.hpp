#pragma once
// The inserts of the sales sheet: one sales row and one income-tax row per sheet row when the
// sheet is stored in detail; one work row per sheet row, then one sales row and one income-tax row
// per total, when the program accumulates it. Apart from the routines so that the texts of each
// engine can be checked without a database.

#include <string>
#include <string_view>

#include "import/almacen_periodo.hpp"
#include "platform/automation/string_matrix.hpp"
#include "platform/database/recordset.hpp"

namespace ambrix {

// Credit notes (voucher type 4) are stored with every amount negated: -1 for them, else 1.
int signoVenta(std::string_view sComprobante);
// The VAT-rate code of the company's VAT percentage gsPorcIVA (12 "2", 14 "3", 10 "1", else "").
std::string codigoIvaEmpresa();
// Column 3 "R", "C", "P", "F" (trimmed, upper case) becomes "04" to "07" in the sheet.
void convierteTipoIdVenta(vt::automation::StringMatrix& hoja, long fila);

// tbAT_Ventas in detail: columns 0 to 18 of the row (column 3 already converted), dated the last
// day of the row's month.
ListaInsercion filaVenta(const ContextoAlmacen& c, const vt::automation::StringMatrix& hoja, long fila,
                         const std::string& sCodigoIva);
// tbAT_Ventas_IR of the same row: the income tax withheld, without code, base or percentage.
ListaInsercion filaVentaIR(const ContextoAlmacen& c, const vt::automation::StringMatrix& hoja, long fila);

// tbAT_Ventas_x_Acumular: the row as it stands in the sheet (column 3 already converted), without
// the sign of credit notes, which each total gets.
ListaInsercion filaVentaAcumular(const ContextoAlmacen& c, const vt::automation::StringMatrix& hoja,
                                 long fila, const std::string& sCodigoIva);
// The select list, table and condition of the totals of the period's work rows, per company,
// month, year, identification type, client and voucher type.
std::string camposTotalesVentas();
inline constexpr const char* kTablaTotalesVentas = "tbAT_Ventas_x_Acumular A";
std::string condicionTotalesVentas(const std::string& co_empresa, const std::string& nu_mes,
                                   const std::string& nu_anio);
// Counts the groups of those totals: the distinct keys of the period's work rows, which is the
// number of groups the GROUP BY makes (NULLs together, the columns' own comparison) without
// sorting every summed column a second time.
std::string cuentaTotalesVentas(const std::string& co_empresa, const std::string& nu_mes,
                                const std::string& nu_anio);
// tbAT_Ventas and tbAT_Ventas_IR of the current total of rs.
ListaInsercion filaTotalVenta(const ContextoAlmacen& c, const vt::db::Recordset& rs);
ListaInsercion filaTotalVentaIR(const ContextoAlmacen& c, const vt::db::Recordset& rs);

}  // namespace ambrix
