// The shared helpers themselves: what the child sees and how its output comes back, and the
// temporary folder's lifetime.

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "tests/support/files.hpp"
#include "tests/support/run_program.hpp"
#include "tests/support/scoped_env.hpp"
#include "tests/support/temp_folder.hpp"

namespace {

namespace fs = std::filesystem;
using vt::testing::runCommand;
using vt::testing::Streams;

TEST(RunCommand, StreamsApartOrTogetherAndTheExitStatus) {
  const std::string command = "printf uno; printf dos >&2; printf tres; exit 3";
  const auto apart = runCommand(command);
  EXPECT_EQ(apart.out, "unotres");
  EXPECT_EQ(apart.err, "dos");
  EXPECT_EQ(apart.status, 3);
  const auto together = runCommand(command, {.streams = Streams::Together});
  EXPECT_EQ(together.out, "unodostres");
  EXPECT_EQ(together.err, "");
  EXPECT_EQ(together.status, 3);
}

TEST(RunCommand, EnvironmentChangesApplyInOrderAndPrefixesRemoveFamilies) {
  const vt::testing::ScopedEnv a("VT_SUPPORT_A", "de fuera"), b("VT_SUPPORT_B", "de fuera"),
      other("VT_OTRA", "queda");
  const auto run =
      runCommand("echo \"${VT_SUPPORT_A-no}|${VT_SUPPORT_B-no}|${VT_OTRA-no}|${VT_SUPPORT_C-no}\"",
                 {.environment = {{"VT_SUPPORT_*", std::nullopt}, {"VT_SUPPORT_C", "puesta"}}});
  EXPECT_EQ(run.out, "no|no|queda|puesta\n");
  const auto pinned = runCommand("echo \"$LC_ALL|$AMBRIX_WIN_INI|${AMBRIX_CONFIG_DIR-no}\"",
                                 {.environment = vt::testing::pinnedEnvironment("win.ini")});
  EXPECT_EQ(pinned.out, "C|win.ini|no\n");
}

TEST(RunCommand, RunsInTheGivenFolderWithNoInput) {
  const vt::testing::TempFolder folder;
  const auto run = runCommand("pwd -P; cat", {.folder = folder.path()});
  EXPECT_EQ(run.out, fs::canonical(folder.path()).string() + "\n");
  EXPECT_EQ(run.status, 0);
}

TEST(TempFolder, WritesReadsAndIsRemovedWithEverythingInIt) {
  fs::path kept;
  {
    const vt::testing::TempFolder folder("vt-support");
    kept = folder.path();
    EXPECT_EQ(folder.write("a/b.txt", "x\r\ny"), folder.file("a/b.txt"));
    EXPECT_EQ(folder.read("a/b.txt"), "x\r\ny");
    EXPECT_EQ(folder.read("falta.txt"), "");
    EXPECT_THROW(vt::testing::readFile(kept / "falta.txt"), std::runtime_error);
  }
  EXPECT_FALSE(fs::exists(kept));
}

}  // namespace
