#include "shell/qt/entrada_texto.hpp"

#include <QApplication>
#include <QInputDialog>

namespace ambrix::qt {
namespace {

class EntradaTextoQt : public EntradaTexto {
 public:
  std::optional<std::string> pedir(const std::string& sPrompt, const std::string& sTitulo,
                                   const std::string& sDefecto) override {
    bool aceptado = false;
    const QString texto = QInputDialog::getText(QApplication::activeWindow(), QString::fromStdString(sTitulo),
                                                QString::fromStdString(sPrompt), QLineEdit::Normal,
                                                QString::fromStdString(sDefecto), &aceptado);
    if (!aceptado) return std::nullopt;
    return texto.toStdString();
  }
};

EntradaTexto* gInstalada = nullptr;

}  // namespace

EntradaTexto& entradaTextoActual() {
  static EntradaTextoQt real;
  return gInstalada ? *gInstalada : real;
}

ScopedEntradaTexto::ScopedEntradaTexto(EntradaTexto& entrada) : previa_(gInstalada) { gInstalada = &entrada; }
ScopedEntradaTexto::~ScopedEntradaTexto() { gInstalada = previa_; }

}  // namespace ambrix::qt
