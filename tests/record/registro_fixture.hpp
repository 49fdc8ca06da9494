#pragma once
// A validator object of company 1792045185001, May 2013, on a copy of the fixture database whose
// connection is open, as a client holds it before validating records one at a time.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "../frame/frame_test_support.hpp"
#include "library/frame/cls_validar_informacion.hpp"

namespace registro_test {

using Campos = std::vector<std::string>;
using Cambios = std::vector<std::pair<int, std::string>>;

// `campos` with the changes applied.
Campos con(Campos campos, const Cambios& cambios);
// The changes of `a` followed by those of `b`.
Cambios mas(Cambios a, const Cambios& b);
// The lines as a fault text: each followed by CR LF.
std::string texto(const std::vector<std::string>& lineas);

struct Resultado {
  std::string respuesta;
  bool fallido = false;
  std::string errores;
  vt::automation::StringArrayRef registro;
};

using Miembro = std::string (valtrone::CLSValidarInformacion::*)(valtrone::CLSValidarInformacion::Record&,
                                                                 bool&, std::string&);

class Registros : public ::testing::Test, public frame_test::LibraryFixture {
 protected:
  Registros();
  ~Registros() override;

  // Calls `miembro` on the record, passing the flag as True and `previo` as the fault text.
  Resultado valida(Miembro miembro, const Campos& campos, const std::string& previo = "");
  Resultado valida(Miembro miembro, vt::automation::StringArrayRef registro, const std::string& previo = "");

  valtrone::CLSValidarInformacion validador_;
};

// The fixture of tables that run every record validator: VAT 12 % and the 31st as the last day
// of the month the withholding annex reads.
class TodosLosRegistros : public Registros {
 protected:
  TodosLosRegistros() {
    validador_.iPocIVA = 12;
    validador_.iUltDiasMes = "31";
  }
};

// The fixture of one record validator.
template <Miembro M>
class RegistrosDe : public Registros {
 protected:
  using Registros::valida;
  Resultado valida(const Campos& campos, const std::string& previo = "") {
    return Registros::valida(M, campos, previo);
  }
};

}  // namespace registro_test
