#pragma once
// The annex document in memory: the declaration, the generator comment and the root iva, then
// elements that hold either a text or child elements. Its bytes are the same every run for the
// same content: UTF-8 without BOM, no indentation, no whitespace between elements.

#include <functional>
#include <string>
#include <string_view>

#include <pugixml.hpp>

namespace ambrix::xml {

// The generator comment's text between "<!--" and "-->" for a version "M.m.r":
// " Generado por Tolvex version 1.0.0 Orsinel S.A. - <web>  Soporte:<e-mail> ".
std::string comentarioGenerador(std::string_view sVersion);

// The text as an element can hold it: characters XML 1.0 does not allow (C0 controls other than
// TAB, LF and CR, U+FFFE, U+FFFF) and bytes that are not UTF-8 are dropped. An unparsable annex
// is worse than a dropped control character.
std::string textoXmlValido(std::string_view sTexto);

class DocumentoATS {
 public:
  // Declaration, the generator comment of the program's own version, and an empty iva.
  DocumentoATS();
  explicit DocumentoATS(std::string_view sVersion);
  DocumentoATS(const DocumentoATS&) = delete;
  DocumentoATS& operator=(const DocumentoATS&) = delete;

  pugi::xml_node iva() const { return iva_; }
  // The file's bytes: `<?xml version="1.0" encoding="UTF-8"?><!-- ... --><iva>...</iva>`.
  std::string bytes() const;
  // The same bytes handed to the sink in pieces; false when the sink refused one.
  bool escribe(const std::function<bool(std::string_view)>& sink) const;

 private:
  pugi::xml_document doc_;
  pugi::xml_node iva_;
};

// Appends an element with the text as the last child of padre; an empty text gives an element
// without content.
pugi::xml_node agrega(pugi::xml_node padre, const char* sNombre, std::string_view sTexto);
// Appends a container element (children follow).
pugi::xml_node agrega(pugi::xml_node padre, const char* sNombre);

}  // namespace ambrix::xml
