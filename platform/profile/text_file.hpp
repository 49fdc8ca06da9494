#pragma once
// Whole-file reads, crash-safe whole-file replacement, and appends to a log.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vt {

// Why a whole-file read gave nothing.
enum class ReadFailure {
  CannotRead,      // missing, no permission, an I/O error
  NotRegularFile,  // a folder, a FIFO, a device or a socket: never read, so nothing blocks
  TooLarge,        // more than the caller's cap, now or while it was read: never cut short
};

// The bytes of a regular file of at most maxBytes; nullopt (with the reason in `why`) otherwise.
std::optional<std::string> readWholeFile(const std::string& path, std::uint64_t maxBytes,
                                         ReadFailure* why = nullptr);

// Caps of the text files the programs read whole: configuration and profile files are a few KB,
// a state file of the batch program a few hundred bytes.
inline constexpr std::uint64_t kMaxProfileBytes = 32ull << 20;
inline constexpr std::uint64_t kMaxStateFileBytes = 1ull << 20;

// Whether anything (file, folder, link) is at the path.
bool pathExists(const std::string& path);

// What a path names, links followed: a regular file, a folder, something else (FIFO, device,
// socket) or nothing reachable. "" names nothing.
enum class PathKind { Missing, File, Folder, Other };
PathKind pathKind(const std::string& path);

// Writes the content to a temporary file "<target>.tmp<pid>_<n>" in the target's folder and
// renames it over the target, so that readers see the old file or the new one, never half of one.
// A symbolic link is written through to the file it names; an existing file keeps its
// permissions. False on any failure, the target then being untouched and the temporary removed.
// Temporaries of the same target left by processes that no longer run are removed first.
bool replaceFile(const std::string& path, const std::string& content);

// Takes one piece of the content; false when it could not be written.
using ChunkSink = std::function<bool(std::string_view)>;
// The same for content too large to hold twice: `content` hands its pieces, in order, to the sink
// and returns false to abandon the replacement (the target then being untouched, as on any
// failure of the sink). An exception of `content` abandons it too, and goes on to the caller.
// When reason is given, a failure of the file leaves there why, in Spanish ("disco lleno", ...), as
// soon as it happens: a sink that returns false has already left it, for a content that raises.
bool replaceFile(const std::string& path, const std::function<bool(const ChunkSink&)>& content,
                 std::string* reason = nullptr);

// Opens the file for appending (creating it when missing), writes the bytes exactly as given and
// closes it again, so that no handle is held between two appends. False when the file cannot be
// opened (a folder, a missing folder, no permission) or not wholly written.
// When reason is given, a failure leaves there why, in Spanish ("disco lleno", ...).
bool appendToFile(const std::string& path, std::string_view content, std::string* reason = nullptr);

// Why a file could not be written, in Spanish, from the system's error number.
std::string writeFailureReason(int errorNumber);

}  // namespace vt
