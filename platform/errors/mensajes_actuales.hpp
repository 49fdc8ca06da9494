#pragma once
// Where messages go when a routine has no window of its own to talk through: the box routines of
// the configuration loader and of the error report use the current notifier. A thread may install
// its own (the validation library per host thread), else the process-wide one applies, else a
// console notifier on stderr that answers No.

#include "platform/errors/mensajes.hpp"

namespace vt {

// The notifier for the calling thread.
Mensajes& currentMessages();
// Installs the process-wide notifier (nullptr restores the stderr default); returns the previous.
Mensajes* setProcessMessages(Mensajes* mensajes);
// Installs a notifier for the calling thread only (nullptr removes it); returns the previous.
Mensajes* setThreadMessages(Mensajes* mensajes);

// Installs a notifier for the calling thread for the life of the guard.
class ScopedThreadMessages {
 public:
  explicit ScopedThreadMessages(Mensajes& mensajes) : previous_(setThreadMessages(&mensajes)) {}
  ~ScopedThreadMessages() { setThreadMessages(previous_); }
  ScopedThreadMessages(const ScopedThreadMessages&) = delete;
  ScopedThreadMessages& operator=(const ScopedThreadMessages&) = delete;

 private:
  Mensajes* previous_;
};

}  // namespace vt
