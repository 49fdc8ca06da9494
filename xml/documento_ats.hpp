#pragma once
// The annex document written as it is produced: the declaration, the generator comment and the
// root iva, then elements that hold either a text or child elements, in document order. No tree
// is kept: only the names of the open elements and a buffer of bytes not yet handed on. The bytes
// are the same every run for the same content: UTF-8 without BOM, no indentation, no whitespace
// between elements, `<x/>` for an element without content, and "&", "<", ">" escaped in text.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ambrix::xml {

// The generator comment's text between "<!--" and "-->" for a version "M.m.r":
// " Generado por Tolvex version 1.0.0 Orsinel S.A. - <web>  Soporte:<e-mail> ".
std::string comentarioGenerador(std::string_view sVersion);

// The text as an element can hold it: characters XML 1.0 does not allow (C0 controls other than
// TAB, LF and CR, U+FFFE, U+FFFF) and bytes that are not UTF-8 are dropped. An unparsable annex
// is worse than a dropped control character.
std::string textoXmlValido(std::string_view sTexto);

// Elements written in document order. Without a sink the bytes stay in bytes(); with one they are
// handed on whenever some 64 KiB have gathered, and at flush().
class EscritorXml {
 public:
  // Takes a piece of the document; it raises when the piece cannot be kept.
  using Sink = std::function<void(std::string_view)>;

  EscritorXml() = default;
  explicit EscritorXml(Sink sink) : sink_(std::move(sink)) {}
  EscritorXml(const EscritorXml&) = delete;
  EscritorXml& operator=(const EscritorXml&) = delete;

  // Opens a container element as the last child of the innermost open one; its children follow.
  void abre(std::string_view sNombre);
  // An element with the text; an empty text (or one left empty by textoXmlValido) gives `<x/>`.
  void elemento(std::string_view sNombre, std::string_view sTexto);
  // Closes the innermost open element.
  void cierra();
  // Whole elements written by another writer, as the next children of the innermost open one.
  void inserta(std::string_view sFragmento);
  // Bytes as they stand, outside any element (the declaration, the comment).
  void crudo(std::string_view sBytes);

  bool abierto() const { return !abiertos_.empty(); }
  // The bytes not handed on yet.
  const std::string& bytes() const { return buffer_; }
  // Empties the writer for another fragment; its buffer keeps its capacity.
  void limpia();
  // Hands the gathered bytes to the sink.
  void flush();

 private:
  void cierraEtiqueta();
  void escapa(std::string_view sTexto);
  void quizaFlush() {
    if (sink_ && buffer_.size() >= kPieza) flush();
  }

  static constexpr std::size_t kPieza = 64 * 1024;
  Sink sink_;
  std::string buffer_;
  std::vector<std::string_view> abiertos_;  // names are the writer's literals
  bool etiquetaAbierta_ = false;            // "<x" written, its ">" or "/>" not yet
};

// The whole annex on a sink: the constructor writes the declaration and the generator comment
// of the program's own version and opens iva; termina() closes it and hands on the rest.
class DocumentoATS {
 public:
  explicit DocumentoATS(EscritorXml::Sink sink);
  DocumentoATS(EscritorXml::Sink sink, std::string_view sVersion);

  EscritorXml& iva() { return escritor_; }
  void termina();

 private:
  EscritorXml escritor_;
};

}  // namespace ambrix::xml
