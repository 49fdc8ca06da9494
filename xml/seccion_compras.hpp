#pragma once
// The purchases section inside the module: the joined purchase row as both halves of the section
// read it, and the state of the purchase being written.

#include <cstdint>

#include "platform/database/recordset.hpp"
#include "xml/documento_ats.hpp"
#include "xml/seccion.hpp"

namespace ambrix::xml {

// Column numbers of the joined purchases query.
struct ColumnasCompra {
  explicit ColumnasCompra(const vt::db::Recordset& rs);
  int id_reg, co_credito, co_tipoID, co_provee, co_comprob, co_Prove_Tipo, co_Prove_Relac, fe_conta, nu_serie,
      nu_secu, fe_emision, nu_autoriza, mo_base_NoIva, mo_base_0, mo_base, mo_ICEmonto, mo_iva, mo_ret_1,
      mo_ret_2, co_Pago_Tipo, co_Pago_pais, co_Pago_doble, co_Pago_SujetoRet, co_FormaPago, fe_DivFecha,
      mo_DivIRpagado, nu_DivAnio, nu_CRserie, nu_CRsecu, nu_CRautoriza, fe_CRemision, co_comprob_modi,
      nu_serie_modi, nu_secuen_modi, nu_autoriza_modi, co_IRcodigo, mo_IRbase, va_IRporc, mo_IRmonto;
};

// The purchase whose joined rows are being written. Its children 1 to 21 go straight to the
// document; air gathers a detalleAir from each joined row, so it is written apart, together with
// what its first row puts after air, and both are inserted when the purchase ends.
struct CompraActual {
  // A new purchase: its first joined row comes next.
  void empieza(std::int64_t id);
  // Inserts air and the rest in their order and closes detalleCompras.
  void termina(EscritorXml& documento);

  std::int64_t idReg = 0;
  bool nueva = false;  // this joined row starts the purchase
  int iTipoComprobante = 0;
  EscritorXml air;           // this purchase's own; empty until opened
  EscritorXml despuesDeAir;  // retention voucher, modified document, reimbursements
  bool airAntes = false;     // air was opened by the first row, ahead of despuesDeAir
};

// The second half of each joined row: withholdings (air), retention voucher, modified document
// and reimbursements.
void retencionesDeFila(const ContextoSeccion& ctx, const vt::db::Recordset& rs, const ColumnasCompra& c,
                       CompraActual& compra);

}  // namespace ambrix::xml
