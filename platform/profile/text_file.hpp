#pragma once
// Whole-file reads and crash-safe whole-file replacement.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vt {

// The file's bytes; nullopt when it cannot be read (missing, a folder, no permission).
std::optional<std::string> readWholeFile(const std::string& path);

// Whether anything (file, folder, link) is at the path.
bool pathExists(const std::string& path);

// Writes the content to a temporary file in the target's folder and renames it over the target,
// so that readers see the old file or the new one, never half of one. A symbolic link is written
// through to the file it names; an existing file keeps its permissions. False on any failure,
// the target then being untouched.
bool replaceFile(const std::string& path, const std::string& content);

// Takes one piece of the content; false when it could not be written.
using ChunkSink = std::function<bool(std::string_view)>;
// The same for content too large to hold twice: `content` hands its pieces, in order, to the sink
// and returns false to abandon the replacement (the target then being untouched, as on any
// failure of the sink).
bool replaceFile(const std::string& path, const std::function<bool(const ChunkSink&)>& content);

}  // namespace vt
