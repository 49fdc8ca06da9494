#include "platform/errors/muestra_error.hpp"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/errors/err_object.hpp"
#include "platform/errors/mensajes_actuales.hpp"
#include "platform/errors/mensajes_grabados.hpp"

namespace {

constexpr const char* kLeadIn = "Ocurrió un error ";
constexpr const char* kLeadInConfig = "Ocurrió un error al intentar obtener los parámetros de configuración";

class MuestraError : public ::testing::Test {
 protected:
  void SetUp() override { vt::Err().Clear(); }
  vt::MensajesGrabados grabados;
  vt::ScopedThreadMessages guard{grabados};
};

struct Case {
  const char* name;
  long numero;
  const char* mensaje;
  const char* shown;
};

TEST_F(MuestraError, BuildsTheBoxText) {
  const Case cases[] = {
      {"own error: description only", 4001, kLeadInConfig,
       "No existe archivo de configuracion del sistema TAXCONFIG.INI(Ambrix)"},
      {"other error under the lead-in", 76, kLeadIn,
       "Ocurrió un error \r\nError: 76\r\nNo existe archivo de configuracion del sistema "
       "TAXCONFIG.INI(Ambrix)"},
      {"empty lead-in: description unchanged", 76, "",
       "No existe archivo de configuracion del sistema TAXCONFIG.INI(Ambrix)"},
  };
  const long propio = 4001;
  const long contexto = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    grabados.mensajes.clear();
    vt::gsMuestraError(c.numero, "Ambrix",
                       "No existe archivo de configuracion del sistema TAXCONFIG.INI(Ambrix)", "", contexto,
                       c.mensaje, propio);
    ASSERT_EQ(grabados.mensajes.size(), 1u);
    const vt::MensajeGrabado& box = grabados.mensajes[0];
    EXPECT_EQ(box.texto, c.shown);
    EXPECT_EQ(box.titulo, "Ambrix");
    EXPECT_EQ(box.icono, vt::Icono::Exclamacion);
    EXPECT_EQ(box.botones, vt::Botones::Aceptar);
    EXPECT_EQ(vt::Err().Number, c.numero);
    EXPECT_EQ(vt::Err().Description, c.shown);
    EXPECT_EQ(vt::Err().Source, "Ambrix");
  }
}

TEST_F(MuestraError, NumberZeroShowsNothingAndKeepsTheState) {
  vt::Err().Number = 9;
  vt::Err().Description = "antes";
  const long cero = 0;
  const long propio = 4001;
  vt::gsMuestraError(0, "Ambrix", "nada", "ayuda.hlp", cero, kLeadIn, propio);
  EXPECT_TRUE(grabados.mensajes.empty());
  EXPECT_EQ(vt::Err().Number, 9);
  EXPECT_EQ(vt::Err().Description, "antes");
}

TEST_F(MuestraError, HelpFileAndContextOnlyReplacedWhenGiven) {
  vt::Err().HelpFile = "actual.hlp";
  vt::Err().HelpContext = 12;
  const long propio = 4001;
  const long sinContexto = 0;
  vt::gsMuestraError(5, "Origen", "d", "", sinContexto, "", propio);
  EXPECT_EQ(vt::Err().HelpFile, "actual.hlp");
  EXPECT_EQ(vt::Err().HelpContext, 12);
  EXPECT_EQ(grabados.mensajes.back().titulo, "Origen");

  const long contexto = 40;
  vt::gsMuestraError(5, "Origen", "d", "otra.hlp", contexto, "", propio);
  EXPECT_EQ(vt::Err().HelpFile, "otra.hlp");
  EXPECT_EQ(vt::Err().HelpContext, 40);
}

TEST_F(MuestraError, StandardHandlerReportsTheCurrentError) {
  try {
    vt::Err().Raise(4001, "Valtrone", "No existe archivo de configuracion del sistema TAXCONFIG.INI");
  } catch (...) {
    vt::Err().captureCurrentException("Valtrone");
    vt::reportCurrentError(kLeadInConfig, "Valtrone");
  }
  ASSERT_EQ(grabados.mensajes.size(), 1u);
  EXPECT_EQ(grabados.mensajes[0].texto,
            "No existe archivo de configuracion del sistema TAXCONFIG.INI(Valtrone)");
  EXPECT_EQ(grabados.mensajes[0].titulo, "Valtrone");
}

struct FailingMensajes : vt::Mensajes {
  vt::Respuesta mostrar(const std::string&, vt::Botones, vt::Icono, const std::string&) override {
    throw std::runtime_error("sin pantalla");
  }
};

TEST(MuestraErrorFailure, AFailingBoxIsIgnored) {
  FailingMensajes failing;
  vt::ScopedThreadMessages guard(failing);
  const long propio = 4001;
  const long contexto = 0;
  EXPECT_NO_THROW(vt::gsMuestraError(76, "Ambrix", "d", "", contexto, kLeadIn, propio));
  EXPECT_EQ(vt::Err().Number, 76);
}

}  // namespace
