#pragma once
// Whole-file reads and writes for tests, and copies of the database the build makes from db/.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vt::testing {

// The file's bytes; throws std::runtime_error when it cannot be read, so that a missing input
// cannot pass for an empty one.
std::string readFile(const std::filesystem::path& path);
// The file's bytes; "" when it does not exist or cannot be read.
std::string readOptionalFile(const std::filesystem::path& path);

// Writes the bytes exactly as given (no line-end translation), replacing the file and making its
// folders; throws std::runtime_error when it cannot.
void writeFile(const std::filesystem::path& path, std::string_view bytes);
void writeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// The fixture database built from db/ (target db_fixture; a test that uses it depends on that target).
std::filesystem::path fixtureDatabase();
// A copy of the fixture database at `to`, replacing any file there and making its folders.
void copyFixtureDatabase(const std::filesystem::path& to);

// The demo as the repository has it, under `root`: examples/demo with its configuration, state
// file and sheets, its report file shell/reportes/tolvexATS_TalonResumen.rpt, the fixture database
// as its examples/demo/db/GLOBAL.MDB, and the empty output folder build/demo. Returns
// root/examples/demo.
std::filesystem::path copyDemo(const std::filesystem::path& root);

}  // namespace vt::testing
