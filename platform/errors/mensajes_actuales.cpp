#include "platform/errors/mensajes_actuales.hpp"

#include <atomic>
#include <iostream>

#include "platform/errors/mensajes_consola.hpp"

namespace vt {
namespace {

std::atomic<Mensajes*> processMessages{nullptr};
thread_local Mensajes* threadMessages = nullptr;

Mensajes& stderrMessages() {
  static MensajesConsola consola(std::cerr);
  return consola;
}

}  // namespace

Mensajes& currentMessages() {
  if (threadMessages) return *threadMessages;
  if (Mensajes* p = processMessages.load()) return *p;
  return stderrMessages();
}

Mensajes* setProcessMessages(Mensajes* mensajes) { return processMessages.exchange(mensajes); }

Mensajes* setThreadMessages(Mensajes* mensajes) {
  Mensajes* previous = threadMessages;
  threadMessages = mensajes;
  return previous;
}

}  // namespace vt
