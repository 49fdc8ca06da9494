// The sales accumulation loaders: every row of a sales sheet inserted into
// tbAT_Ventas_x_Acumular on the caller's connection, unchecked, with column 3 rewritten in the
// caller's array.

#include "library/batch/acumula_ventas.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../frame/frame_test_support.hpp"
#include "library/frame/cls_validar_informacion.hpp"
#include "platform/database/recordset.hpp"
#include "tests/support/files.hpp"
#include "tests/support/run_program.hpp"

namespace {

using vt::automation::StringMatrix;
using vt::automation::StringMatrixRef;
using Fila = std::vector<std::string>;

Fila venta(const std::string& tipo, const std::string& nombre) {
  return {"1792045185001", "5",    "2013", tipo, "1710034065", nombre, " 1 ", "18", "3", "0",
          "10.5",          "1000", "120",  "0",  "10"};
}

StringMatrixRef hoja(const std::vector<Fila>& filas) {
  auto h = std::make_shared<StringMatrix>(0, static_cast<long>(filas.size()), 0, 14);
  for (std::size_t r = 0; r < filas.size(); ++r)
    for (std::size_t c = 0; c < filas[r].size(); ++c)
      h->set(static_cast<long>(r) + 1, static_cast<long>(c), filas[r][c]);
  return h;
}

class Acumula : public ::testing::Test, public frame_test::LibraryFixture {
 protected:
  Acumula() {
    cliente_->open((folder / "global.mdb").string());
    loader_.db_ConexionObj = std::make_shared<valtrone::ConnectionObject>(cliente_);
    loader_.iPocIVA = 12;
  }

  std::string carga(StringMatrixRef h, bool ice = false) {
    std::string empresa = "1792045185001", mes = "05", anio = "2013", ruta = log_.string();
    auto opciones = std::make_shared<vt::automation::IntegerArray>();
    return ice ? loader_.ICE2014_Ventas_Acumula(empresa, mes, anio, h, ruta, progreso_)
               : loader_.ATS2013_Ventas_Acumula(empresa, mes, anio, h, ruta, progreso_, opciones);
  }

  // The stored rows as the sqlite3 tool lists them, a line each, without the key.
  std::string filas() {
    const vt::testing::ProgramRun r = vt::testing::runCommand(
        "sqlite3 -batch -list " + vt::testing::quoted((folder / "global.mdb").string()) +
        " 'select * from tbAT_Ventas_x_Acumular order by id_reg'");
    EXPECT_EQ(r.status, 0) << r.err;
    std::string out;
    std::size_t at = 0;
    for (std::size_t fin; (fin = r.out.find('\n', at)) != std::string::npos; at = fin + 1) {
      const std::string linea = r.out.substr(at, fin - at + 1);
      out += linea.substr(linea.find('|') + 1);
    }
    return out;
  }

  std::shared_ptr<vt::db::Connection> cliente_ = vt::db::Connection::create();
  valtrone::CLSValidarInformacion loader_;
  std::filesystem::path log_ = folder / "errores.txt";
  int32_t progreso_ = 7;
};

const char* const kFilaR =
    "1792045185001|05|2013|04|0001710034065|Comercial \"La Andina\" "
    "O'Brien|1|3|18|0|10.5|1000|2|120|0|0|0|0|0|0|0"
    "|0|0|N|N|0|0|0|0|0|0|0|0|0|0|0|0|0|10|A\n";

TEST_F(Acumula, EveryRowIsStoredAsTheSheetHasItWithTheIdentityTypeRewritten) {
  StringMatrixRef h =
      hoja({venta("r", "Comercial \"La Andina\" O'Brien"), venta("04", "Ana"), venta(" f ", "Final")});
  EXPECT_EQ(carga(h), "OK");
  EXPECT_EQ(h->get(1, 3), "04");
  EXPECT_EQ(h->get(2, 3), "04");
  EXPECT_EQ(h->get(3, 3), "07");
  const std::string stored = filas();
  EXPECT_EQ(stored.substr(0, stored.find('\n') + 1), kFilaR);
  EXPECT_NE(stored.find("\n1792045185001|05|2013|07|0001710034065|Final|"), std::string::npos) << stored;
  EXPECT_EQ(progreso_, 7);
  EXPECT_FALSE(std::filesystem::exists(log_));
  EXPECT_EQ(context().gdbConexion->state(), vt::db::State::Closed);
}

TEST_F(Acumula, TheIceLoaderStoresTheSameRows) {
  EXPECT_EQ(carga(hoja({venta("R", "Ana"), venta("C", "Luis")})), "OK");
  const std::string ats = filas();
  cliente_->execute("delete from tbAT_Ventas_x_Acumular");
  EXPECT_EQ(carga(hoja({venta("R", "Ana"), venta("C", "Luis")}), true), "OK");
  EXPECT_EQ(filas(), ats);
}

TEST_F(Acumula, TheVatCodeOfThePercentage) {
  const std::pair<int16_t, std::string> cases[] = {{12, "2"}, {14, "3"}, {10, "1"}, {0, ""}, {15, ""}};
  for (const auto& [porcentaje, codigo] : cases) {
    StringMatrixRef h = hoja({venta("P", "Ana")});
    const std::string valores = valtrone::insercionVentaAcumulada(false, *h, 1, porcentaje).valores;
    EXPECT_NE(valores.find(", 1000.00, '" + codigo + "', 120.00, "), std::string::npos)
        << porcentaje << valores;
    EXPECT_EQ(h->get(1, 3), "06");
  }
}

TEST_F(Acumula, UnderOracleTheKeyComesFromItsSequence) {
  StringMatrixRef h = hoja({venta("C", "Ana")});
  const valtrone::InsercionAcumulada oracle = valtrone::insercionVentaAcumulada(true, *h, 1, 12);
  EXPECT_EQ(oracle.campos.substr(0, 30), "(id_reg,  co_empresa, co_mes, ");
  EXPECT_EQ(oracle.valores.substr(0, 58), "(TBATVENTAS_ACUMULAR_ID_REG_SEC.Nextval, '1792045185001', ");
  EXPECT_EQ(oracle.valores.substr(oracle.valores.size() - 7), ", 'A' )");
  const valtrone::InsercionAcumulada otro = valtrone::insercionVentaAcumulada(false, *h, 1, 12);
  EXPECT_EQ(otro.campos.substr(0, 13), "( co_empresa,");
  EXPECT_EQ(otro.valores.substr(0, 17), "('1792045185001',");
}

TEST_F(Acumula, AnEmptySheetStoresNothing) {
  EXPECT_EQ(carga(std::make_shared<StringMatrix>(0, 0, 0, 14)), "OK");
  EXPECT_EQ(carga(nullptr), "OK");
  EXPECT_EQ(filas(), "");
}

// A row the database takes without storing it is logged, and the load goes on.
TEST_F(Acumula, ARowNotStoredIsLoggedAndTheNextFollows) {
  cliente_->execute(
      "create trigger ignora before insert on tbAT_Ventas_x_Acumular when new.ds_nombre = 'Nadie' "
      "begin select raise(ignore); end");
  EXPECT_EQ(carga(hoja({venta("R", "Ana"), venta("R", "Nadie"), venta("R", "Luis")})), "OK");
  EXPECT_EQ(vt::testing::readFile(log_), "VENTAS Acumular - Registro: 2. \r\n\r\n");
  const std::string stored = filas();
  EXPECT_NE(stored.find("|Ana|"), std::string::npos);
  EXPECT_NE(stored.find("|Luis|"), std::string::npos);
  EXPECT_EQ(stored.find("|Nadie|"), std::string::npos);
}

// The loaders check no cell: an amount that is no number stops the call at its row, with the
// rows before it stored; the text never becomes part of the statement.
TEST_F(Acumula, AnAmountThatIsNoNumberEndsTheCallAtItsRow) {
  Fila mala = venta("R", "Luis");
  mala[11] = "1); delete from tbEmpresas; --";
  EXPECT_THROW(carga(hoja({venta("R", "Ana"), mala, venta("R", "Eva")})), vt::Error);
  const std::string stored = filas();
  EXPECT_NE(stored.find("|Ana|"), std::string::npos);
  EXPECT_EQ(stored.find("|Eva|"), std::string::npos);
  vt::db::Recordset rs;
  rs.open("select count(*) as n from tbEmpresas", *cliente_);
  EXPECT_GT(rs.field("n").asInteger(), 0);
}

TEST_F(Acumula, WithoutTheCallersConnectionNothingIsStored) {
  loader_.db_ConexionObj = nullptr;
  EXPECT_THROW(carga(hoja({venta("R", "Ana")})), vt::Error);
  EXPECT_EQ(filas(), "");
}

}  // namespace
