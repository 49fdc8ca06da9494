// A large month written as a stream: 50,000 purchases (with their withholding rows and some
// reimbursements) give an annex the authority's schema takes, while the writer's peak memory
// stays within a budget far below what a document tree or a result read whole would take (about
// 1.5 KiB per purchase each). The writer runs in a child process, so that its peak is its own.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "shell/core/conexion.hpp"
#include "shell/core/globals.hpp"
#include "tests/support/run_program.hpp"
#include "tests/xml/xml_fixture.hpp"

namespace ambrix::testing {
namespace {

namespace fs = std::filesystem;

constexpr long kCompras = 50000;
// What the writer may add to its resident size; a tree of the document alone would take some
// 75 MiB here, and the joined result read whole as much again.
constexpr long kPresupuestoKiB = 40 * 1024;

// Purchases of May 2013, every 25th a reimbursement (type 41) with one reimbursed voucher; each
// other purchase has one withholding row joined by its document key.
std::string compras() {
  return "INSERT INTO tbAT_Cmprs (co_empresa, co_mes, co_anio, co_provee, co_comprob, co_credito, nu_serie, "
         "nu_secu, nu_autoriza, fe_emision, fe_conta, co_tipoID, mo_base_NoIva, mo_base_0, mo_base, mo_iva, "
         "mo_ret_1, mo_ret_2, mo_ICEmonto, nu_CRserie, nu_CRsecu, nu_CRautoriza, fe_CRemision, co_Pago_Tipo, "
         "co_FormaPago, st_regis) "
         "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
         std::to_string(kCompras) +
         ") SELECT '1792045185001', '05', '2013', printf('%013d', 1790000000001 + i % 5000), "
         "CASE WHEN i % 25 = 0 THEN '41' ELSE '01' END, CASE WHEN i % 25 = 0 THEN '02' ELSE '01' END, "
         "'001002', printf('%09d', i), '1112223334', '2013-05-14', '2013-05-15', '01', 0, (i % 7) * 10.25, "
         "100 + (i % 1000), round((100 + (i % 1000)) * 0.12, 2), 0, 0, 0, '001001', printf('%09d', i), "
         "'1234567890', '2013-05-16', 'L', '01-20', 'A' FROM n";
}

std::string retenciones() {
  const std::string clave =
      "co_empresa, co_mes, co_anio, co_provee, co_comprob, co_credito, nu_serie, nu_secu, nu_autoriza";
  return "INSERT INTO tbAT_Cmprs_IR (" + clave + ", co_IRcodigo, mo_IRbase, va_IRporc, mo_IRmonto) SELECT " +
         clave + ", '312', mo_base, 1, round(mo_base * 0.01, 2) FROM tbAT_Cmprs WHERE co_comprob <> '41'";
}

std::string reembolsos() {
  return "INSERT INTO tbAT_Cmprs_RE (id_comprob, co_empresa, co_mes, co_anio, co_RE_tipoID, co_RE_provee, "
         "co_RE_comprob, fe_RE_emision, nu_RE_serie, nu_RE_secu, nu_RE_autoriza, mo_RE_base_NoIva, "
         "mo_RE_base_0, "
         "mo_RE_base, mo_RE_iva, mo_RE_ice) SELECT id_reg, co_empresa, co_mes, co_anio, '01', "
         "'1790011674001', "
         "'01', '2013-05-10', '001002', nu_secu, '1234567890', 0, 0, mo_base, mo_iva, 0 FROM tbAT_Cmprs "
         "WHERE co_comprob = '41'";
}

// A line "Name:   123 kB" of /proc/self/status, in KiB; -1 when missing.
long estadoKiB(const char* sCampo) {
  std::ifstream status("/proc/self/status");
  std::string linea;
  const std::size_t n = std::strlen(sCampo);
  while (std::getline(status, linea))
    if (linea.compare(0, n, sCampo) == 0 && linea.size() > n && linea[n] == ':')
      return std::stol(linea.substr(n + 1));
  return -1;
}

struct Medida {
  bool guardado = false;
  long crecimientoKiB = -1;  // peak resident size over the size at the start
};

// The writer in a child: its own connection, its peak reset at the start.
Medida enHijo(const std::function<bool()>& genera) {
  int fds[2];
  if (pipe(fds) != 0) return {};
  const pid_t hijo = fork();
  if (hijo == 0) {
    close(fds[0]);
    Medida m;
    const int clear = open("/proc/self/clear_refs", O_WRONLY);
    const bool bReiniciado = clear >= 0 && write(clear, "5", 1) == 1;
    if (clear >= 0) close(clear);
    const long lInicio = estadoKiB(bReiniciado ? "VmRSS" : "VmHWM");
    gsConectaBD();
    m.guardado = genera();
    gsCierraBD();
    m.crecimientoKiB = estadoKiB("VmHWM") - lInicio;
    if (write(fds[1], &m, sizeof m) != sizeof m) _exit(1);
    _exit(0);
  }
  close(fds[1]);
  Medida m;
  if (read(fds[0], &m, sizeof m) != sizeof m) m = {};
  close(fds[0]);
  waitpid(hijo, nullptr, 0);
  return m;
}

class MesGrande : public XmlTest {};

TEST_F(MesGrande, WrittenAsAStreamWithinAMemoryBudgetAndValid) {
  inserta({compras(), retenciones(), reembolsos()});
  // The child opens its own connection: an open database is never carried across a fork.
  gsCierraBD();
  const Medida m = enHijo([this] { return genera({"1", "0", "0", "0"}); });
  ASSERT_TRUE(m.guardado);
#if defined(__SANITIZE_ADDRESS__)
  // The sanitizer keeps freed blocks resident for a while: the budget says nothing there.
#else
  EXPECT_GT(m.crecimientoKiB, 0);
  EXPECT_LT(m.crecimientoKiB, kPresupuestoKiB) << "a document tree or a result read whole is back";
#endif
  const std::string bytes = archivo();
  const auto cuenta = [&bytes](const std::string& sEtiqueta) {
    long n = 0;
    for (std::size_t p = bytes.find(sEtiqueta); p != std::string::npos; p = bytes.find(sEtiqueta, p + 1)) ++n;
    return n;
  };
  EXPECT_EQ(cuenta("<detalleCompras>"), kCompras);
  EXPECT_EQ(cuenta("<detalleAir>"), kCompras - kCompras / 25);
  EXPECT_EQ(cuenta("<reembolso>"), kCompras / 25);

  vt::testing::RunOptions opciones;
  opciones.streams = vt::testing::Streams::Together;
  const vt::testing::ProgramRun r = vt::testing::runCommand(
      "xmllint --noout --stream --schema " + vt::testing::quoted(VT_SOURCE_DIR "/xml/schema/ats.xsd") + " " +
          vt::testing::quoted(rutaXml()),
      opciones);
  EXPECT_EQ(r.status, 0) << r.out;
}

}  // namespace
}  // namespace ambrix::testing
