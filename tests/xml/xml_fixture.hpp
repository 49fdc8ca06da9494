#pragma once
// The writer on a private copy of the fixture database: annex rows put in with plain SQL, the
// window and its bar recorded, the file written into the test's folder.

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/shell_fixture.hpp"
#include "tests/support/ventana_grabada.hpp"
#include "tests/xml/anexo.hpp"

namespace ambrix::testing {

// Columns and SQL literals of one row ("'05'", "12.5", "NULL", "'2013-05-14'").
using Fila = std::vector<std::pair<std::string, std::string>>;

// INSERT statements of one annex row: the row of a plain, valid record of May 2013 of the demo
// company 1792045185001, with `cambios` put over it (a column named there replaces the default).
std::string compra(const Fila& cambios = {});       // tbAT_Cmprs: invoice 01, 100.00 + VAT 12.00
std::string retencion(const Fila& cambios = {});    // tbAT_Cmprs_IR of compra()'s document key
std::string reembolso(const Fila& cambios = {});    // tbAT_Cmprs_RE of the purchase id_reg 1
std::string venta(const Fila& cambios = {});        // tbAT_Ventas: invoice 18 of establishment 001
std::string exportacion(const Fila& cambios = {});  // tbAT_Exporta: goods (1), shipped 20/05/2013
std::string anulado(const Fila& cambios = {});      // tbAT_CmptsAnu: invoices 101 to 150

// A golden file as the writer's bytes: each line's leading blanks and its line end are layout.
std::string compacta(const std::string& golden);


class XmlTest : public ShellTest {
 protected:
  XmlTest();

  void inserta(const std::vector<std::string>& sentencias);
  // Runs the writer for the demo company's May 2013 with the section choices.
  bool genera(const std::array<std::string, 4>& secciones = {"1", "1", "1", "1"});
  bool genera(ParamGeneraXML& param);
  // For tests of what is written, not of the schema's verdict: runs the writer and says whether
  // the file was written, any box shown being the one of a file the schema refuses.
  bool escribe(const std::array<std::string, 4>& secciones = {"1", "1", "1", "1"});
  bool escribe(ParamGeneraXML& param);
  std::string rutaXml() const;
  std::string archivo() const;  // the written file's bytes ("" when none)
  // The text XPath gives on the written file.
  std::string xpath(const std::string& consulta) const;

  VentanaGrabada ventana_;

 private:
  bool escritoSinOtroFallo() const;
};

// How the box of a written file that the schema refuses begins.
inline constexpr const char* kFueraDeEsquema = "Archivo AT052013.XML generado, pero no cumple el esquema del SRI:";

}  // namespace ambrix::testing
