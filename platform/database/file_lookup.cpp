#include "platform/database/file_lookup.hpp"

#include "platform/database/text_util.hpp"

namespace vt::db {

namespace fs = std::filesystem;

std::optional<fs::path> findFileNoCase(const fs::path& path) {
  std::error_code ec;
  if (path.empty() || !path.has_filename()) return std::nullopt;
  if (fs::is_regular_file(path, ec)) return path;
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  const std::string wanted = path.filename().string();
  std::optional<fs::path> best;
  fs::directory_iterator it(folder, ec);
  if (ec) return std::nullopt;
  for (const auto& entry : it) {
    const std::string name = entry.path().filename().string();
    if (!conv::SameText(name, wanted) || !fs::is_regular_file(entry.path(), ec)) continue;
    if (!best || name < best->filename().string())
      best = path.has_parent_path() ? folder / name : fs::path(name);
  }
  return best;
}

}  // namespace vt::db
