// Moving a folder into another on disk: the plain move, the refusals and failures that leave the
// disk as it was, and the move across file systems as copy and remove.

#include "shell/core/operacion_archivos.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/errors/error.hpp"
#include "platform/errors/mensajes_actuales.hpp"
#include "platform/errors/mensajes_grabados.hpp"
#include "platform/errors/runtime_errors.hpp"
#include "tests/support/temp_folder.hpp"

namespace ambrix {
namespace {

namespace fs = std::filesystem;

std::error_code Denegado(const fs::path&, const fs::path&) {
  return std::make_error_code(std::errc::permission_denied);
}
std::error_code OtroSistema(const fs::path&, const fs::path&) {
  return std::make_error_code(std::errc::cross_device_link);
}

class OperacionArchivosTest : public ::testing::Test {
 protected:
  OperacionArchivosTest() {
    temp_.write("datos/Salida/mayo.xls", "libro");
    temp_.write("datos/Salida/sub/junio.csv", "a;b");
    fs::create_directories(temp_.path() / "otra");
    fs::create_symlink("mayo.xls", temp_.path() / "datos/Salida/enlace.xls");
  }
  ~OperacionArchivosTest() override { setRenombrarCarpeta(nullptr); }

  bool mover(const std::string& origen, const std::string& destino, int codigo = kOperacionMover) {
    bool fallo = false;
    OperacionArchivos(temp_.file(origen), temp_.file(destino), codigo, fallo);
    return fallo;
  }
  void expectUntouched() const {
    EXPECT_EQ(temp_.read("datos/Salida/mayo.xls"), "libro");
    EXPECT_EQ(temp_.read("datos/Salida/sub/junio.csv"), "a;b");
    EXPECT_FALSE(fs::exists(temp_.path() / "otra/Salida/sub"));
  }
  // The names in `carpeta`, hidden ones too.
  std::vector<std::string> names(const std::string& carpeta) const {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(temp_.path() / carpeta)) out.push_back(e.path().filename());
    std::sort(out.begin(), out.end());
    return out;
  }

  vt::testing::TempFolder temp_{"mover"};
  vt::MensajesGrabados boxes_;
  vt::ScopedThreadMessages guard_{boxes_};
};

TEST_F(OperacionArchivosTest, AMoveRenamesTheFolderWithEverythingInIt) {
  EXPECT_FALSE(mover("datos/Salida", "otra"));
  EXPECT_TRUE(boxes_.mensajes.empty());
  EXPECT_FALSE(fs::exists(temp_.path() / "datos/Salida"));
  EXPECT_EQ(temp_.read("otra/Salida/mayo.xls"), "libro");
  EXPECT_EQ(temp_.read("otra/Salida/sub/junio.csv"), "a;b");
  // A trailing "/" on the source names the same folder.
  EXPECT_FALSE(mover("otra/Salida/", "datos"));
  EXPECT_EQ(temp_.read("datos/Salida/mayo.xls"), "libro");
}

TEST_F(OperacionArchivosTest, AcrossFileSystemsTheFolderIsCopiedThenRemoved) {
  setRenombrarCarpeta(&OtroSistema);
  EXPECT_FALSE(mover("datos/Salida", "otra"));
  EXPECT_TRUE(boxes_.mensajes.empty()) << boxes_.mensajes[0].texto;
  EXPECT_FALSE(fs::exists(temp_.path() / "datos/Salida"));
  EXPECT_EQ(temp_.read("otra/Salida/mayo.xls"), "libro");
  EXPECT_EQ(temp_.read("otra/Salida/sub/junio.csv"), "a;b");
  EXPECT_TRUE(fs::is_symlink(temp_.path() / "otra/Salida/enlace.xls")) << "a link stays a link";
  EXPECT_EQ(names("otra"), std::vector<std::string>{"Salida"}) << "no hidden copy left behind";
}

TEST_F(OperacionArchivosTest, FailuresShowOneBoxAndLeaveTheDiskAsItWas) {
  struct Case {
    RenombrarCarpeta paso;
    const char* prepara;  // a folder made in the destination first, or nullptr
    int codigo;
    std::string mensaje;
    const char* why;
  };
  const Case cases[] = {
      {&Denegado, nullptr, kOperacionMover, std::to_string(EACCES), "the move step fails: its error number"},
      {nullptr, "otra/Salida", kOperacionMover, kOperacionFallida, "a folder of that name: no merge"},
      {nullptr, nullptr, 1, kOperacionFallida, "not a move"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    boxes_.mensajes.clear();
    setRenombrarCarpeta(c.paso);
    if (c.prepara) fs::create_directories(temp_.path() / c.prepara);
    EXPECT_TRUE(mover("datos/Salida", "otra", c.codigo));
    ASSERT_EQ(boxes_.mensajes.size(), 1u);
    EXPECT_EQ(boxes_.mensajes[0].texto, c.mensaje);
    EXPECT_EQ(boxes_.mensajes[0].icono, vt::Icono::Critico);
    expectUntouched();
    if (c.prepara) fs::remove(temp_.path() / c.prepara);
  }
}

TEST_F(OperacionArchivosTest, ACopyThatCannotBeFinishedIsRemovedAndTheSourceKept) {
  setRenombrarCarpeta(&OtroSistema);
  // The source does not exist: the copy fails before anything is written.
  EXPECT_TRUE(mover("datos/NoExiste", "otra"));
  ASSERT_EQ(boxes_.mensajes.size(), 1u);
  EXPECT_EQ(boxes_.mensajes[0].texto, std::to_string(ENOENT));
  EXPECT_TRUE(names("otra").empty());
  // The destination is not a folder: nothing is left behind in its parent either.
  temp_.write("archivo", "x");
  EXPECT_TRUE(mover("datos/Salida", "archivo"));
  expectUntouched();
  EXPECT_EQ(temp_.read("archivo"), "x");
}

}  // namespace
}  // namespace ambrix

namespace ambrix {
namespace {

TEST(CrearCarpeta, ANewNameIsCreatedOtherNamesRaiseTheirNumber) {
  vt::testing::TempFolder temp{"crear"};
  temp.write("libro.xls", "x");
  CrearCarpeta(temp.path().string(), "NuevaCarpeta");
  EXPECT_TRUE(fs::is_directory(temp.path() / "NuevaCarpeta"));
  CrearCarpeta(temp.path().string() + "/", " con blancos ");
  EXPECT_TRUE(fs::is_directory(temp.path() / " con blancos ")) << "the name as typed";

  struct Case {
    std::string carpeta;
    const char* nombre;
    long numero;
    const char* why;
  };
  const Case cases[] = {
      {temp.path().string(), "NuevaCarpeta", vt::kErrFileExists, "a folder of that name"},
      {temp.path().string(), "libro.xls", vt::kErrFileExists, "a file of that name"},
      {temp.path().string(), "a/b", vt::kErrBadFileName, "not one folder name"},
      {temp.path().string(), "..", vt::kErrBadFileName, "the parent"},
      {temp.path().string(), "", vt::kErrBadFileName, "no name"},
      {temp.file("NoExiste"), "Salida", vt::kErrPathNotFound, "the current folder went away"},
      {temp.file("libro.xls"), "Salida", vt::kErrPathNotFound, "the current folder is a file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    try {
      CrearCarpeta(c.carpeta, c.nombre);
      ADD_FAILURE() << "created";
    } catch (const vt::Error& e) {
      EXPECT_EQ(e.number(), c.numero);
      EXPECT_FALSE(e.description().empty());
    }
  }
}

}  // namespace
}  // namespace ambrix
