#include "xml/documento_ats.hpp"

#include "ambrix/version.hpp"

namespace ambrix::xml {

namespace {

// Length of the well-formed UTF-8 sequence that starts at p (0 when it is not one).
std::size_t utf8Length(std::string_view s, std::size_t p, char32_t& codePoint) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char b0 = byte(p);
  std::size_t length = 0;
  char32_t min = 0;
  if (b0 < 0x80) {
    codePoint = b0;
    return 1;
  }
  if ((b0 & 0xE0) == 0xC0) {
    length = 2, min = 0x80, codePoint = b0 & 0x1F;
  } else if ((b0 & 0xF0) == 0xE0) {
    length = 3, min = 0x800, codePoint = b0 & 0x0F;
  } else if ((b0 & 0xF8) == 0xF0) {
    length = 4, min = 0x10000, codePoint = b0 & 0x07;
  } else {
    return 0;
  }
  if (p + length > s.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(p + i) & 0xC0) != 0x80) return 0;
    codePoint = (codePoint << 6) | (byte(p + i) & 0x3F);
  }
  const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
  if (codePoint < min || codePoint > 0x10FFFF || surrogate) return 0;
  return length;
}

bool allowed(char32_t c) {
  if (c < 0x20) return c == 0x09 || c == 0x0A || c == 0x0D;
  return c != 0xFFFE && c != 0xFFFF;
}

}  // namespace

std::string comentarioGenerador(std::string_view sVersion) {
  return std::string(" Generado por Tolvex version ") + std::string(sVersion) + " Orsinel S.A. - " +
         kWebFabricante + "  Soporte:" + kCorreoSoporte + " ";
}

std::string textoXmlValido(std::string_view sTexto) {
  std::string limpio;
  limpio.reserve(sTexto.size());
  for (std::size_t p = 0; p < sTexto.size();) {
    char32_t c = 0;
    const std::size_t n = utf8Length(sTexto, p, c);
    if (n == 0) {
      ++p;
      continue;
    }
    if (allowed(c)) limpio.append(sTexto.substr(p, n));
    p += n;
  }
  return limpio;
}

void EscritorXml::cierraEtiqueta() {
  if (!etiquetaAbierta_) return;
  buffer_ += '>';
  etiquetaAbierta_ = false;
}

void EscritorXml::abre(std::string_view sNombre) {
  cierraEtiqueta();
  buffer_ += '<';
  buffer_ += sNombre;
  abiertos_.push_back(sNombre);
  etiquetaAbierta_ = true;
}

void EscritorXml::cierra() {
  if (etiquetaAbierta_) {
    buffer_ += "/>";
    etiquetaAbierta_ = false;
  } else {
    buffer_ += "</";
    buffer_ += abiertos_.back();
    buffer_ += '>';
  }
  abiertos_.pop_back();
  quizaFlush();
}

void EscritorXml::escapa(std::string_view sTexto) {
  for (const char c : sTexto) {
    switch (c) {
      case '&':
        buffer_ += "&amp;";
        break;
      case '<':
        buffer_ += "&lt;";
        break;
      case '>':
        buffer_ += "&gt;";
        break;
      default:
        buffer_ += c;
    }
  }
}

void EscritorXml::elemento(std::string_view sNombre, std::string_view sTexto) {
  cierraEtiqueta();
  // The fast path keeps plain ASCII text as it stands.
  bool limpio = true;
  for (const char c : sTexto)
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x80) {
      limpio = false;
      break;
    }
  std::string valido;
  if (!limpio) {
    valido = textoXmlValido(sTexto);
    sTexto = valido;
  }
  buffer_ += '<';
  buffer_ += sNombre;
  if (sTexto.empty()) {
    buffer_ += "/>";
  } else {
    buffer_ += '>';
    escapa(sTexto);
    buffer_ += "</";
    buffer_ += sNombre;
    buffer_ += '>';
  }
  quizaFlush();
}

void EscritorXml::inserta(std::string_view sFragmento) {
  cierraEtiqueta();
  buffer_ += sFragmento;
  quizaFlush();
}

void EscritorXml::crudo(std::string_view sBytes) {
  buffer_ += sBytes;
  quizaFlush();
}

void EscritorXml::limpia() {
  buffer_.clear();
  abiertos_.clear();
  etiquetaAbierta_ = false;
}

void EscritorXml::flush() {
  if (!sink_ || buffer_.empty()) return;
  sink_(buffer_);
  buffer_.clear();
}

DocumentoATS::DocumentoATS(EscritorXml::Sink sink) : DocumentoATS(std::move(sink), kVersionTexto) {}

DocumentoATS::DocumentoATS(EscritorXml::Sink sink, std::string_view sVersion) : escritor_(std::move(sink)) {
  escritor_.crudo("<?xml version=\"1.0\" encoding=\"UTF-8\"?><!--");
  escritor_.crudo(comentarioGenerador(sVersion));
  escritor_.crudo("-->");
  escritor_.abre("iva");
}

void DocumentoATS::termina() {
  escritor_.cierra();
  escritor_.flush();
}

}  // namespace ambrix::xml
