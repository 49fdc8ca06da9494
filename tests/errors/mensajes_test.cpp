#include <gtest/gtest.h>

#include <sstream>
#include <thread>

#include "platform/errors/mensajes_actuales.hpp"
#include "platform/errors/mensajes_consola.hpp"
#include "platform/errors/mensajes_grabados.hpp"

namespace {

using vt::Botones;
using vt::Icono;
using vt::Respuesta;

TEST(MensajesConsola, LineBreaksShownAsBackslashN) {
  const struct {
    const char* texto;
    const char* linea;
  } cases[] = {
      {"sin salto", "sin salto"},
      {"a\r\nb", "a\\nb"},
      {"a\nb", "a\\nb"},
      {"a\rb", "a\\nb"},
      {"a\r\n\r\nb\n", "a\\n\\nb\\n"},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(vt::lineaTranscripcion(c.texto), c.linea) << c.texto;
  }
}

TEST(MensajesConsola, PrintsOneLinePerBoxAndAnswersFromItsList) {
  std::ostringstream out;
  vt::MensajesConsola consola(out, {Respuesta::Si});
  EXPECT_EQ(consola.mostrar("Uno\r\nDos", Botones::Aceptar, Icono::Exclamacion, "Ambrix"),
            Respuesta::Aceptar);
  EXPECT_EQ(consola.mostrar("¿Continuar?", Botones::SiNo, Icono::Pregunta, "Tolvex"), Respuesta::Si);
  EXPECT_EQ(consola.mostrar("¿Otra vez?", Botones::SiNo, Icono::Pregunta, "Tolvex"), Respuesta::No);
  EXPECT_EQ(out.str(),
            "MSGBOX EXCLAMACION Ambrix: Uno\\nDos\n"
            "MSGBOX PREGUNTA Tolvex: ¿Continuar?\n"
            "MSGBOX PREGUNTA Tolvex: ¿Otra vez?\n");
}

TEST(MensajesGrabados, RecordsEveryBoxAndAnswersFromTheQueue) {
  vt::MensajesGrabados grabados;
  grabados.responder(Respuesta::Si);
  EXPECT_EQ(grabados.mostrar("hecho", Botones::Aceptar, Icono::Informacion, "T"), Respuesta::Aceptar);
  EXPECT_EQ(grabados.mostrar("¿seguir?", Botones::SiNo, Icono::Pregunta, "T"), Respuesta::Si);
  EXPECT_EQ(grabados.mostrar("¿seguir?", Botones::SiNo, Icono::Pregunta, "T"), Respuesta::No);
  ASSERT_EQ(grabados.mensajes.size(), 3u);
  EXPECT_EQ(grabados.mensajes[0].texto, "hecho");
  EXPECT_EQ(grabados.mensajes[0].icono, Icono::Informacion);
  EXPECT_EQ(grabados.mensajes[1].botones, Botones::SiNo);
  EXPECT_EQ(grabados.mensajes[2].titulo, "T");
}

TEST(CurrentMessages, ThreadNotifierOverridesTheProcessOne) {
  vt::MensajesGrabados proceso;
  vt::MensajesGrabados hilo;
  vt::setProcessMessages(&proceso);
  {
    vt::ScopedThreadMessages guard(hilo);
    EXPECT_EQ(&vt::currentMessages(), &hilo);
    vt::Mensajes* seenByOtherThread = nullptr;
    std::thread other([&] { seenByOtherThread = &vt::currentMessages(); });
    other.join();
    EXPECT_EQ(seenByOtherThread, &proceso);
  }
  EXPECT_EQ(&vt::currentMessages(), &proceso);
  vt::setProcessMessages(nullptr);
  EXPECT_NE(&vt::currentMessages(), &proceso);
}

}  // namespace
