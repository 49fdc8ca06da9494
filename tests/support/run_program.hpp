#pragma once
// Runs a program of the build as a separate process, with its environment pinned, and captures
// what it prints and its exit status.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vt::testing {

// One change to the child's environment: `name` set to `value`, or removed when there is no
// value. A name ending in '*' removes every variable whose name starts with what precedes it.
struct EnvSetting {
  std::string name;
  std::optional<std::string> value;
};
using Environment = std::vector<EnvSetting>;

// Nothing of the machine's locale or of the program's own variables (AMBRIX_*), the C locale, and
// `winIni` as the regional settings file (relative to the child's working folder if relative).
Environment pinnedEnvironment(const std::string& winIni);

// Where standard error goes: apart into `err`, or together with standard output into `out`, in
// the order printed.
enum class Streams { Apart, Together };

struct RunOptions {
  std::filesystem::path folder{};  // the child's working folder; empty: the caller's
  Environment environment{};       // applied in order to a copy of the caller's environment
  Streams streams = Streams::Apart;
};

struct ProgramRun {
  int status = -1;  // the exit status; -1 when the child did not end normally
  std::string out;
  std::string err;
};

// Runs `commandLine` through /bin/sh (so quoting and word splitting are the shell's), with
// standard input empty.
ProgramRun runCommand(const std::string& commandLine, const RunOptions& options = {});

// `text` single-quoted for the shell.
std::string quoted(const std::string& text);

// Runs the built ambrix-batch with `arguments` (a command-line tail as the shell splits it) in
// `folder`, in the pinned environment with the regional file `winIni`, then `extra` applied;
// standard error together with standard output.
ProgramRun runBatch(const std::filesystem::path& folder, const std::string& winIni,
                    const std::string& arguments, const Environment& extra = {});

}  // namespace vt::testing
