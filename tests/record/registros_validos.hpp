#pragma once
// The clean record of each record validator, valid for company 1792045185001 in May 2013 under
// the day-first regional order: each validator's table changes one of them case by case.

#include "registro_fixture.hpp"

namespace registro_test::validos {

extern const Campos kAnulacion;
extern const Campos kCompraATS;
extern const Campos kCompra;
extern const Campos kExportacion;
extern const Campos kImportacion;
extern const Campos kReoc;
extern const Campos kVentaATS;
extern const Campos kVenta;

}  // namespace registro_test::validos
