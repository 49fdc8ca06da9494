// Whole-file replacement: the target holds the old bytes or the new ones, never part of either.

#include "platform/profile/text_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>

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
  EXPECT_TRUE(replaceFile(path, [](const ChunkSink& sink) { return sink("<a>") && sink("") && sink("</a>"); }));
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

TEST(ReplaceFile, AMissingFolderFails) {
  testing::TempFolder temp("text-file");
  EXPECT_FALSE(replaceFile(temp.file("falta/a.xml"), "new"));
  EXPECT_FALSE(fs::exists(temp.path() / "falta"));
}

}  // namespace
}  // namespace vt
