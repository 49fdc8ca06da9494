// Company, month and year lists; the code and name of a company item; days of a month.

#include "shell/core/listas.hpp"

#include <gtest/gtest.h>

#include "platform/conversions/conversions.hpp"
#include "shell/core/fecha_actual.hpp"
#include "shell/core/globals.hpp"
#include "tests/support/shell_fixture.hpp"

namespace ambrix {
namespace {

const std::string k150(150, ' ');

TEST(MonthYearLists, MarchOf2013) {
  ListaComboMemoria meses, anios;
  gsLlenaMesesAnios(true, meses, true, anios, {2013, 3, 20});
  ASSERT_EQ(meses.ListCount(), 12);
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(meses.List(i), gaMeses[static_cast<size_t>(i)]);
    EXPECT_EQ(meses.ItemData(i), i + 1);
  }
  EXPECT_EQ(meses.List(meses.ListIndex()), "Marzo");
  ASSERT_EQ(anios.ListCount(), 12);
  EXPECT_EQ(anios.List(0), "2013");
  EXPECT_EQ(anios.List(11), "2002");
  EXPECT_EQ(anios.ItemData(11), 2002);
  EXPECT_EQ(anios.ListIndex(), 0);
}

TEST(MonthYearLists, OnlyTheFlaggedListsAreFilledAndNothingIsCleared) {
  ListaComboMemoria meses, anios;
  anios.AddItem("previo", 1);
  gsLlenaMesesAnios(false, meses, true, anios, {2003, 12, 31});
  EXPECT_EQ(meses.ListCount(), 0);
  ASSERT_EQ(anios.ListCount(), 3);
  EXPECT_EQ(anios.List(0), "previo");
  EXPECT_EQ(anios.List(2), "2002");
}

TEST(MonthYearLists, TodaySelectsTheCurrentMonthAndYear) {
  const vt::conv::Date hoy = currentDateTime().date;
  ListaComboMemoria meses, anios;
  gsLlenaMesesAnios(true, meses, true, anios);
  const vt::conv::Date despues = currentDateTime().date;
  EXPECT_TRUE(meses.ItemData(meses.ListIndex()) == hoy.month ||
              meses.ItemData(meses.ListIndex()) == despues.month);
  EXPECT_EQ(anios.ListCount(), despues.year - 2002 + 1);
}

TEST(CompanyItem, CodeAndNameParts) {
  struct Case {
    std::string nombre, ruc, codigo, nombreLista;
  };
  const Case casos[] = {
      {"Comercial Andina   ", " 1792045185001", "1792045185001", "Comercial Andina"},
      {"Ñandú Cía.", "0992314702001", "0992314702001", "Ñandú Cía."},
      {std::string(120, 'x'), "1792045185001", "1792045185001", std::string(100, 'x')},
  };
  for (const auto& c : casos) {
    ListaComboMemoria cmb;
    cmb.AddItem(itemEmpresaCombo(c.nombre, c.ruc));
    EXPECT_EQ(cmb.List(0), vt::conv::Trim(c.nombre) + k150 + vt::conv::Trim(c.ruc));
    cmb.setListIndex(0);
    EXPECT_EQ(gfCodigoCombo(cmb), c.codigo);
    EXPECT_EQ(gfNombreCombo(cmb), c.nombreLista);
  }
  ListaComboMemoria vacia;
  EXPECT_EQ(gfCodigoCombo(vacia), "");
  EXPECT_EQ(gfNombreCombo(vacia), "");
}

TEST(DaysOfMonth, Gregorian) {
  const std::pair<const char*, std::int16_t> casos[] = {
      {"15/02/2012", 29}, {"01/02/2013", 28}, {"10/02/2100", 28}, {"10/02/2000", 29},
      {"24/12/2013", 31}, {"30/04/2013", 30}, {"no es fecha", 0}, {"", 0},
  };
  for (const auto& [fecha, dias] : casos) EXPECT_EQ(gfDiasMes(fecha), dias) << fecha;
}

class CompanyList : public testing::ShellTest {
 protected:
  void SetUp() override { connectToCopy(); }
};

TEST_F(CompanyList, ActiveCompaniesOrderedByNameWithoutRegardToCase) {
  exec(
      "INSERT INTO tbEmpresas (nu_ruc, ds_nombre, st_regis) VALUES ('0990000000001', 'distribuidora Demo  ', "
      "'A')");
  ListaComboMemoria cmb;
  std::string condicion = "st_regis = 'A' Order By ds_nombre ";
  gsLlenaEmpresas(cmb, condicion);
  EXPECT_EQ(condicion, "Where st_regis = 'A' Order By ds_nombre ");
  ASSERT_EQ(cmb.ListCount(), 3);
  EXPECT_EQ(cmb.List(0), "Comercial Andina Demo SA" + k150 + "1792045185001");
  EXPECT_EQ(cmb.List(1), "distribuidora Demo" + k150 + "0990000000001");
  EXPECT_EQ(cmb.List(2), "Importadora del Pacifico Demo Cia Ltda" + k150 + "0992314702001");
  EXPECT_EQ(cmb.ListIndex(), -1);
  EXPECT_TRUE(boxes_.mensajes.empty());
}

TEST_F(CompanyList, BlankConditionListsEveryRowInTableOrder) {
  ListaComboMemoria cmb;
  std::string condicion = "   ";
  gsLlenaEmpresas(cmb, condicion);
  EXPECT_EQ(condicion, "");
  ASSERT_EQ(cmb.ListCount(), 3);
  cmb.setListIndex(2);
  EXPECT_EQ(gfCodigoCombo(cmb), "1712345675001");
}

TEST_F(CompanyList, NoCompanyShowsTheMessageAndKeepsTheList) {
  ListaComboMemoria cmb;
  cmb.AddItem("anterior");
  std::string condicion = "st_regis = 'X'";
  gsLlenaEmpresas(cmb, condicion);
  ASSERT_EQ(boxes_.mensajes.size(), 1u);
  EXPECT_EQ(boxes_.mensajes[0].texto, "No existe información de Empresas ");
  EXPECT_EQ(boxes_.mensajes[0].icono, vt::Icono::Informacion);
  ASSERT_EQ(cmb.ListCount(), 1);
  EXPECT_EQ(cmb.List(0), "anterior");
}

TEST_F(CompanyList, NullNameOrRucReadsAsEmpty) {
  exec("CREATE TABLE tbEmpresas2 AS SELECT * FROM tbEmpresas");
  exec("DROP TABLE tbEmpresas");
  exec("CREATE TABLE tbEmpresas (nu_ruc TEXT, ds_nombre TEXT, st_regis TEXT)");
  exec("INSERT INTO tbEmpresas VALUES (NULL, 'Sin RUC', 'A')");
  ListaComboMemoria cmb;
  std::string condicion;
  gsLlenaEmpresas(cmb, condicion);
  ASSERT_EQ(cmb.ListCount(), 1);
  EXPECT_EQ(cmb.List(0), "Sin RUC" + k150);
}

}  // namespace
}  // namespace ambrix
