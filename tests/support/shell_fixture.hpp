#pragma once
// A private copy of the fixture database, the program's settings pointing at it (file engine),
// the recording notifier, and gConexion reset around each test.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/errors/mensajes_actuales.hpp"
#include "platform/errors/mensajes_grabados.hpp"
#include "platform/profile/configuracion.hpp"
#include "tests/support/temp_folder.hpp"

namespace ambrix::testing {

// Settings of the file engine for the database file `folder`/`file`.
vt::ContextoConfiguracion fileEngineSettings(const std::filesystem::path& folder, const std::string& file);

// TAXCONFIG.INI of the file engine on `folder`/GLOBAL.MDB and a day-first win.ini, written in
// `folder`, as the start-up reads them.
void writeStartUpSettings(const std::filesystem::path& folder);

class ShellTest : public ::testing::Test {
 protected:
  ShellTest();
  ~ShellTest() override;

  // Copies the fixture database to the temporary folder as global.mdb (lower case, as a site
  // that upper-cases dbNameDB may have it) and connects to it.
  void connectToCopy();
  // Runs a statement of the test's own on gConexion.
  void exec(const std::string& sql);
  std::string lastMessage() const;

  vt::testing::TempFolder temp_{"shellcore"};
  vt::ContextoConfiguracion ctx_;
  vt::MensajesGrabados boxes_;

 private:
  vt::ContextoConfiguracion* previousCtx_;
  vt::ScopedThreadMessages messagesGuard_{boxes_};
};

}  // namespace ambrix::testing
