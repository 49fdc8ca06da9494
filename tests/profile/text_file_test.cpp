// Whole-file reads (regular files only, up to a cap) and replacement: the target holds the old
// bytes or the new ones, never part of either. Appends to the error log: bytes kept exactly, a
// file created when missing, clean refusals.

#include "platform/profile/text_file.hpp"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

#include "tests/support/files.hpp"
#include "tests/support/temp_folder.hpp"

namespace vt {
namespace {

namespace fs = std::filesystem;

std::size_t entries(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(ReplaceFile, PiecesAreWrittenInOrder) {
  testing::TempFolder temp("text-file");
  const std::string path = temp.write("a.xml", "old");
  EXPECT_TRUE(
      replaceFile(path, [](const ChunkSink& sink) { return sink("<a>") && sink("") && sink("</a>"); }));
  EXPECT_EQ(temp.read("a.xml"), "<a></a>");
  EXPECT_EQ(entries(temp.path()), 1u) << "no temporary file left";
}

TEST(ReplaceFile, AbandonedContentLeavesTheTargetAndNoTemporaryFile) {
  testing::TempFolder temp("text-file");
  const std::string path = temp.write("a.xml", "old");
  EXPECT_FALSE(replaceFile(path, [](const ChunkSink& sink) { return sink("half") && false; }));
  EXPECT_EQ(temp.read("a.xml"), "old");
  EXPECT_EQ(entries(temp.path()), 1u);
}

TEST(ReplaceFile, ContentThatRaisesLeavesTheTargetAndNoTemporaryFile) {
  testing::TempFolder temp("text-file");
  const std::string path = temp.write("a.xml", "old");
  EXPECT_THROW(replaceFile(path,
                           [](const ChunkSink& sink) -> bool {
                             sink("half");
                             throw std::runtime_error("memoria insuficiente");
                           }),
               std::runtime_error);
  EXPECT_EQ(temp.read("a.xml"), "old");
  EXPECT_EQ(entries(temp.path()), 1u);
}

// The pid of a process that has ended.
pid_t endedPid() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  return child;
}

TEST(ReplaceFile, TemporariesOfEndedProcessesAreRemovedOthersStay) {
  testing::TempFolder temp("text-file");
  const std::string ended = std::to_string(endedPid());
  const std::string mine = std::to_string(getpid());
  const std::string parent = std::to_string(getppid());
  struct Case {
    std::string name;
    bool removed;
    const char* why;
  } cases[] = {
      {"a.xml.tmp" + ended + "_0", true, "left by a process that was killed before its rename"},
      {"a.xml.tmp" + ended + "_17", true, "any number of its replacements"},
      {"a.xml.tmp" + mine + "_900", false, "this process may still be writing it"},
      {"a.xml.tmp" + parent + "_1", false, "a running process may still be writing it"},
      {"b.xml.tmp" + ended + "_0", false, "another target's"},
      {"a.xml.tmp" + ended + "_", false, "not the pattern: no number after the pid"},
      {"a.xml.tmp" + ended + "_1x", false, "not the pattern: text after the number"},
      {"a.xml.tmpx" + ended + "_1", false, "not the pattern: text before the pid"},
      {"xa.xml.tmp" + ended + "_1", false, "a name that only ends like the target"},
      {"a.xml.tmp" + ended + "_2.bak", false, "a copy someone made of one"},
  };
  for (const Case& c : cases) temp.write(c.name, "<iva>");
  fs::create_directory(temp.path() / ("a.xml.tmp" + ended + "_3"));
  ASSERT_TRUE(replaceFile(temp.file("a.xml"), "new"));
  for (const Case& c : cases)
    EXPECT_EQ(!fs::exists(temp.path() / c.name), c.removed) << c.name << ": " << c.why;
  EXPECT_TRUE(fs::is_directory(temp.path() / ("a.xml.tmp" + ended + "_3"))) << "only files are removed";
  EXPECT_EQ(temp.read("a.xml"), "new");
}

TEST(ReplaceFile, AMissingFolderFails) {
  testing::TempFolder temp("text-file");
  EXPECT_FALSE(replaceFile(temp.file("falta/a.xml"), "new"));
  EXPECT_FALSE(fs::exists(temp.path() / "falta"));
  std::string reason;
  EXPECT_FALSE(replaceFile(
      temp.file("falta/a.xml"), [](const ChunkSink& sink) { return sink("new"); }, &reason));
  EXPECT_EQ(reason, "la carpeta no existe");
}

// A file that does not fit (the child may write no file past a few blocks, as on a full disk):
// the cause is there when the sink fails, before a content that raises on it has left, and the
// target stays.
TEST(ReplaceFile, AFileThatDoesNotFitSaysWhyAsSoonAsASinkFails) {
  testing::TempFolder temp("text-file");
  const std::string path = temp.write("a.xml", "old");
  const pid_t child = fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{16 * 1024, 16 * 1024};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::string reason;
    std::string reasonAtTheFailure;
    bool raised = false;
    try {
      replaceFile(
          path,
          [&](const ChunkSink& sink) -> bool {
            for (int i = 0; i < 64; ++i)
              if (!sink(std::string(1024, 'x'))) {
                reasonAtTheFailure = reason;
                throw std::runtime_error("abandonada");
              }
            return true;
          },
          &reason);
    } catch (const std::runtime_error&) {
      raised = true;
    }
    ::_exit(raised && reasonAtTheFailure == "el archivo supera el tamaño permitido" ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "the sink's failure must leave its cause";
  EXPECT_EQ(temp.read("a.xml"), "old");
  EXPECT_EQ(entries(temp.path()), 1u) << "no temporary file left";
}

TEST(AppendToFile, CreatesThenAppendsTheBytesAsGiven) {
  testing::TempFolder temp("append");
  const std::string path = (temp.path() / "log.txt").string();
  ASSERT_TRUE(appendToFile(path, "COMPRAS - Registro: 2\r\nFecha de emisi\xC3\xB3n \r\n\r\n"));
  ASSERT_TRUE(appendToFile(path, "X\r\n"));
  ASSERT_TRUE(appendToFile(path, ""));
  EXPECT_EQ(testing::readFile(path), "COMPRAS - Registro: 2\r\nFecha de emisi\xC3\xB3n \r\n\r\nX\r\n");
}

TEST(AppendToFile, KeepsWhatTheFileHeld) {
  testing::TempFolder temp("append");
  const auto path = temp.path() / "log.txt";
  testing::writeFile(path, "antes\n");
  ASSERT_TRUE(appendToFile(path.string(), "despues\r\n"));
  EXPECT_EQ(testing::readFile(path), "antes\ndespues\r\n");
}

TEST(AppendToFile, RefusesWhatCannotTakeAnAppend) {
  testing::TempFolder temp("append");
  struct Case {
    std::string path;
    const char* why;
  } cases[] = {
      {temp.path().string(), "a folder"},
      {(temp.path() / "no-such-folder" / "log.txt").string(), "its folder does not exist"},
      {"", "no path at all"},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(appendToFile(c.path, "bloque\r\n")) << c.why;
  }
  EXPECT_FALSE(std::filesystem::exists(temp.path() / "no-such-folder"));
}

// What a whole-file read gives for each kind of path: only regular files are opened, so a FIFO
// without a writer or an endless device answers at once.
TEST(ReadWholeFile, RegularFilesUpToTheCap) {
  testing::TempFolder dir;
  testing::writeFile(dir.file("diez.txt"), std::string("0123456789"));
  testing::writeFile(dir.file("vacio.txt"), std::string());
  testing::writeFile(dir.file("once.txt"), std::string("0123456789A"));
  std::filesystem::create_symlink(dir.file("diez.txt"), dir.file("enlace.txt"));
  ASSERT_EQ(::mkfifo(dir.file("tuberia").c_str(), 0600), 0);
  const struct {
    const char* what;
    std::string path;
    std::optional<std::string> bytes;
    ReadFailure why;  // when bytes is nullopt
  } cases[] = {
      {"a file at the cap", dir.file("diez.txt"), "0123456789", {}},
      {"an empty file", dir.file("vacio.txt"), "", {}},
      {"a link to a file", dir.file("enlace.txt"), "0123456789", {}},
      {"one byte past the cap, refused whole", dir.file("once.txt"), std::nullopt, ReadFailure::TooLarge},
      {"missing", dir.file("no-existe"), std::nullopt, ReadFailure::CannotRead},
      {"a folder", dir.path(), std::nullopt, ReadFailure::NotRegularFile},
      {"a FIFO without a writer", dir.file("tuberia"), std::nullopt, ReadFailure::NotRegularFile},
      {"an endless device", "/dev/zero", std::nullopt, ReadFailure::NotRegularFile},
  };
  for (const auto& c : cases) {
    ReadFailure why = ReadFailure::CannotRead;
    if (!c.bytes) why = c.why == ReadFailure::CannotRead ? ReadFailure::TooLarge : ReadFailure::CannotRead;
    EXPECT_EQ(readWholeFile(c.path, 10, &why), c.bytes) << c.what;
    if (!c.bytes) {
      EXPECT_EQ(why, c.why) << c.what;
    }
  }
}

}  // namespace
}  // namespace vt
