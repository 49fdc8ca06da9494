#pragma once
// Finds a file whose name matches without regard to case in its folder (names written upper case
// on a case-sensitive file system). The exact name wins; among case variants the first in byte order.

#include <filesystem>
#include <optional>

namespace vt::db {

// A regular file (or a link to one) matching path; nullopt when there is none.
std::optional<std::filesystem::path> findFileNoCase(const std::filesystem::path& path);

}  // namespace vt::db
