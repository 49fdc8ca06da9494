#pragma once
// The one input box of the program (the picker's new-folder name), as a seam of its own: a real
// box by default, a scripted answer in the tests.

#include <optional>
#include <string>

namespace ambrix::qt {

class EntradaTexto {
 public:
  virtual ~EntradaTexto() = default;
  // The answer typed, or none when the box was cancelled.
  virtual std::optional<std::string> pedir(const std::string& sPrompt, const std::string& sTitulo,
                                           const std::string& sDefecto) = 0;
};

// The input box in use: an installed one, else a QInputDialog over the active window.
EntradaTexto& entradaTextoActual();

// Installs an input box for a scope and puts the previous one back after.
class ScopedEntradaTexto {
 public:
  explicit ScopedEntradaTexto(EntradaTexto& entrada);
  ~ScopedEntradaTexto();
  ScopedEntradaTexto(const ScopedEntradaTexto&) = delete;
  ScopedEntradaTexto& operator=(const ScopedEntradaTexto&) = delete;

 private:
  EntradaTexto* previa_;
};

}  // namespace ambrix::qt
