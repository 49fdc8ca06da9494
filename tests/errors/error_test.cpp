#include "platform/errors/error.hpp"

#include <gtest/gtest.h>

#include "platform/errors/mensajes.hpp"

TEST(Error, CarriesNumberSourceAndDescription) {
  vt::Error e(4001, "Ambrix", "No existe archivo");
  EXPECT_EQ(e.number(), 4001);
  EXPECT_EQ(e.source(), "Ambrix");
  EXPECT_EQ(e.description(), "No existe archivo");
  EXPECT_STREQ(e.what(), "4001 No existe archivo");
}

TEST(Mensajes, IconNamesAsPrintedInTranscripts) {
  EXPECT_STREQ(vt::nombreIcono(vt::Icono::Exclamacion), "EXCLAMACION");
  EXPECT_STREQ(vt::nombreIcono(vt::Icono::Critico), "CRITICO");
  EXPECT_STREQ(vt::nombreIcono(vt::Icono::Informacion), "INFORMACION");
  EXPECT_STREQ(vt::nombreIcono(vt::Icono::Pregunta), "PREGUNTA");
}
