#include "checks_fixture.hpp"

namespace checks_test {

void Catalogue::SetUp() {
  valtrone::gfAbreConexion();
  ASSERT_EQ(db().state(), vt::db::State::Open);
  ASSERT_TRUE(messages.mensajes.empty());
  // 91: blanks after the commas; 92: empty list elements; 93: a list without annex words.
  db().execute(
      "insert into tbcttgComprob (co_comprob, ds_comprob, ds_sustrib, ds_secutran) values "
      "('91', 'prueba', '01, 02', '01, 02,ATS'),"
      "('92', 'prueba', ',01,,02,', '05,,ATS,'),"
      "('93', 'prueba', '', '07')");
  // T1 expired mid-2013; T2 has two overlapping windows; T3 counts only in an inactive row.
  db().execute(
      "insert into tbcttgCoRetenIR (co_reten, ds_reten, va_reten, fe_inicio, fe_fin, st_ingreso, "
      "st_default) values "
      "('T1', 'vencido', 1, '2013-01-01', '2013-06-30', 'N', 'A'),"
      "('T2', 'general', 1, '2013-01-01', '2014-12-31', 'N', 'A'),"
      "('T2', 'desde junio', 2, '2013-06-01', '2013-12-31', 'S', 'A'),"
      "('T3', 'inactivo', 5, '2013-01-01', '2014-12-31', 'N', 'I')");
}

void loadTaxBrackets(vt::db::Connection& db) {
  db.execute("delete from tbRDEP_Tabla");
  db.execute("delete from tbDividendos_Tabla");
  db.execute(
      "insert into tbRDEP_Tabla (co_anio, mo_FraBasica, mo_FraExced, mo_Imp_FB, mo_imp_FE) values "
      "('2013', 0, 10000, 0, 0), ('2013', 10000, 20000, 0, 10), ('2013', 20000, 999999999, 1000, 20)");
  db.execute(
      "insert into tbDividendos_Tabla (mo_FraBasica, mo_FraExced, mo_Imp_FB, mo_imp_FE) values "
      "(0, 10000, 0, 0), (10000, 20000, 0, 10), (20000, 999999999, 1000, 20)");
}

}  // namespace checks_test
