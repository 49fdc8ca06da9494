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

DocumentoATS::DocumentoATS() : DocumentoATS(kVersionTexto) {}

DocumentoATS::DocumentoATS(std::string_view sVersion) {
  pugi::xml_node declaracion = doc_.append_child(pugi::node_declaration);
  declaracion.append_attribute("version") = "1.0";
  declaracion.append_attribute("encoding") = "UTF-8";
  doc_.append_child(pugi::node_comment).set_value(comentarioGenerador(sVersion).c_str());
  iva_ = doc_.append_child("iva");
}

std::string DocumentoATS::bytes() const {
  std::string salida;
  escribe([&salida](std::string_view pieza) {
    salida.append(pieza);
    return true;
  });
  return salida;
}

bool DocumentoATS::escribe(const std::function<bool(std::string_view)>& sink) const {
  struct Escritor : pugi::xml_writer {
    const std::function<bool(std::string_view)>& sink;
    bool ok = true;
    explicit Escritor(const std::function<bool(std::string_view)>& s) : sink(s) {}
    void write(const void* data, std::size_t size) override {
      if (ok) ok = sink(std::string_view(static_cast<const char*>(data), size));
    }
  } escritor(sink);
  doc_.save(escritor, "", pugi::format_raw | pugi::format_no_declaration, pugi::encoding_utf8);
  return escritor.ok;
}

pugi::xml_node agrega(pugi::xml_node padre, const char* sNombre, std::string_view sTexto) {
  pugi::xml_node elemento = padre.append_child(sNombre);
  if (sTexto.empty()) return elemento;
  // The fast path keeps plain ASCII text as it stands.
  bool limpio = true;
  for (const char c : sTexto)
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x80) {
      limpio = false;
      break;
    }
  const std::string texto = limpio ? std::string(sTexto) : textoXmlValido(sTexto);
  if (!texto.empty()) elemento.append_child(pugi::node_pcdata).set_value(texto.c_str());
  return elemento;
}

pugi::xml_node agrega(pugi::xml_node padre, const char* sNombre) { return padre.append_child(sNombre); }

}  // namespace ambrix::xml
