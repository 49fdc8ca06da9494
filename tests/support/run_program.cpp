#include "tests/support/run_program.hpp"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string_view>

extern char** environ;

namespace vt::testing {

namespace {

std::vector<std::string> childEnvironment(const Environment& changes) {
  std::vector<std::string> entries;
  for (char** e = environ; *e; ++e) entries.emplace_back(*e);
  for (const EnvSetting& change : changes) {
    const bool prefix = change.name.ends_with('*');
    const std::string_view stem =
        std::string_view(change.name).substr(0, change.name.size() - (prefix ? 1 : 0));
    std::erase_if(entries, [&](const std::string& entry) {
      const std::string_view name = std::string_view(entry).substr(0, entry.find('='));
      return prefix ? name.starts_with(stem) : name == stem;
    });
    if (change.value && !prefix) entries.push_back(change.name + "=" + *change.value);
  }
  return entries;
}

// Both pipes read to their end together, so that a child filling one cannot stall on it.
void readUntilClosed(int outFd, int errFd, ProgramRun& run) {
  pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
  std::string* sinks[2] = {&run.out, &run.err};
  int open = 2;
  while (open > 0) {
    if (::poll(fds, 2, -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        ::close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
  for (const pollfd& p : fds)
    if (p.fd >= 0) ::close(p.fd);
}

}  // namespace

Environment pinnedEnvironment(const std::string& winIni) {
  return {{"AMBRIX_*", std::nullopt}, {"LC_*", std::nullopt}, {"LANG", std::nullopt},
          {"LANGUAGE", std::nullopt}, {"LC_ALL", "C"},        {"AMBRIX_WIN_INI", winIni}};
}

std::string quoted(const std::string& text) {
  std::string q = "'";
  for (char c : text) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

ProgramRun runCommand(const std::string& commandLine, const RunOptions& options) {
  // Everything the child needs is made before the fork: after it, only plain system calls.
  std::vector<std::string> environment = childEnvironment(options.environment);
  std::vector<char*> envp;
  for (std::string& entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);
  std::string shell = "/bin/sh", dashC = "-c", command = commandLine;
  char* argv[] = {shell.data(), dashC.data(), command.data(), nullptr};
  const std::string folder = options.folder.string();
  const bool together = options.streams == Streams::Together;

  ProgramRun run;
  int out[2], err[2];
  if (::pipe2(out, O_CLOEXEC) != 0) return run;
  if (::pipe2(err, O_CLOEXEC) != 0) {
    ::close(out[0]);
    ::close(out[1]);
    return run;
  }
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int in = ::open("/dev/null", O_RDONLY);
    if (in < 0 || ::dup2(in, 0) < 0 || ::dup2(out[1], 1) < 0 || ::dup2(together ? out[1] : err[1], 2) < 0)
      ::_exit(127);
    if (!folder.empty() && ::chdir(folder.c_str()) != 0) ::_exit(127);
    ::execve(shell.c_str(), argv, envp.data());
    ::_exit(127);
  }
  ::close(out[1]);
  ::close(err[1]);
  if (pid < 0) {
    ::close(out[0]);
    ::close(err[0]);
    return run;
  }
  readUntilClosed(out[0], err[0], run);
  int raw = 0;
  while (::waitpid(pid, &raw, 0) < 0) {
    if (errno != EINTR) return run;
  }
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

ProgramRun runBatch(const std::filesystem::path& folder, const std::string& winIni,
                    const std::string& arguments, const Environment& extra) {
  Environment environment = pinnedEnvironment(winIni);
  environment.insert(environment.end(), extra.begin(), extra.end());
  return runCommand(quoted(VT_AMBRIX_BATCH) + " " + arguments,
                    {.folder = folder, .environment = environment, .streams = Streams::Together});
}

}  // namespace vt::testing
