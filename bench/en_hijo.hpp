#pragma once
// A measured run in a child process of its own, so that its peak resident size is its own and
// not the benchmark's: the child runs `trabajo`, whose result (plain data) comes back through a
// pipe; a child that fails to report gives a default result.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <type_traits>

namespace bench {

// The peak resident size of the calling process, in KiB.
inline long peakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

template <typename Trabajo>
auto enHijo(Trabajo trabajo) {
  using Resultado = decltype(trabajo());
  static_assert(std::is_trivially_copyable_v<Resultado>, "the result crosses a pipe as bytes");
  int fds[2];
  if (pipe(fds) != 0) std::abort();
  const pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    const Resultado r = trabajo();
    if (write(fds[1], &r, sizeof r) != sizeof r) _exit(1);
    _exit(0);
  }
  close(fds[1]);
  Resultado r{};
  if (read(fds[0], &r, sizeof r) != sizeof r) r = {};
  close(fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  return r;
}

}  // namespace bench
