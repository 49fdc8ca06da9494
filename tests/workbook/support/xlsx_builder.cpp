#include "tests/workbook/support/xlsx_builder.hpp"

#include <zip.h>

#include <stdexcept>

namespace vt::testing {
namespace {

const char* kRelNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
const char* kMainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

}  // namespace

std::string xmlEscape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '&':
        out += "&amp;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string inlineCell(const std::string& ref, const std::string& text) {
  return "<c r=\"" + ref + "\" t=\"inlineStr\"><is><t xml:space=\"preserve\">" + xmlEscape(text) +
         "</t></is></c>";
}

std::string numberCell(const std::string& ref, const std::string& value, int style) {
  return "<c r=\"" + ref + "\"" + (style ? " s=\"" + std::to_string(style) + "\"" : "") + "><v>" + value +
         "</v></c>";
}

Parts xlsxParts(const XlsxSpec& spec) {
  Parts parts;
  parts["[Content_Types].xml"] =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
      "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
      "<Default Extension=\"xml\" ContentType=\"application/xml\"/></Types>";
  parts["_rels/.rels"] =
      std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n") +
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
      "<Relationship Id=\"rId1\" Type=\"" +
      kRelNs +
      "/officeDocument\" Target=\"xl/workbook.xml\"/>"
      "</Relationships>";
  std::string workbook = std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<workbook xmlns=\"") +
                         kMainNs + "\" xmlns:r=\"" + kRelNs + "\">";
  if (spec.date1904) workbook += "<workbookPr date1904=\"1\"/>";
  workbook += spec.activeTab >= 0 ? "<bookViews><workbookView activeTab=\"" + std::to_string(spec.activeTab) +
                                        "\"/></bookViews>"
                                  : "<bookViews><workbookView/></bookViews>";
  workbook += "<sheets>";
  std::string rels =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  for (std::size_t i = 0; i < spec.sheets.size(); ++i) {
    const XlsxSheet& s = spec.sheets[i];
    const std::string n = std::to_string(i + 1);
    workbook += "<sheet name=\"" + xmlEscape(s.name) + "\" sheetId=\"" + n + "\"" +
                (s.state.empty() ? "" : " state=\"" + s.state + "\"") + " r:id=\"rId" + n + "\"/>";
    const std::string folder = s.kind == "worksheet" ? "worksheets/sheet" : "chartsheets/sheet";
    rels += "<Relationship Id=\"rId" + n + "\" Type=\"" + kRelNs + "/" + s.kind + "\" Target=\"" + folder +
            n + ".xml\"/>";
    parts["xl/" + folder + n + ".xml"] =
        std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<worksheet xmlns=\"") + kMainNs +
        "\"><dimension ref=\"A1\"/><sheetData>" + s.rowsXml +
        "</sheetData><pageMargins left=\"0.7\"/></worksheet>";
  }
  workbook += "</sheets></workbook>";
  rels += std::string("<Relationship Id=\"rIdS\" Type=\"") + kRelNs + "/styles\" Target=\"styles.xml\"/>";
  if (!spec.sharedItems.empty()) {
    rels += std::string("<Relationship Id=\"rIdT\" Type=\"") + kRelNs +
            "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
    std::string sst =
        std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<sst xmlns=\"") + kMainNs + "\">";
    for (const std::string& si : spec.sharedItems) sst += "<si>" + si + "</si>";
    parts["xl/sharedStrings.xml"] = sst + "</sst>";
  }
  rels += "</Relationships>";
  std::string styles =
      std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<styleSheet xmlns=\"") + kMainNs + "\">";
  if (!spec.numFmtsXml.empty()) styles += "<numFmts>" + spec.numFmtsXml + "</numFmts>";
  styles += "<cellXfs>";
  for (int id : spec.cellXfFormats) styles += "<xf numFmtId=\"" + std::to_string(id) + "\" fontId=\"0\"/>";
  styles += "</cellXfs></styleSheet>";
  parts["xl/workbook.xml"] = workbook;
  parts["xl/_rels/workbook.xml.rels"] = rels;
  parts["xl/styles.xml"] = styles;
  return parts;
}

std::string columnLetters(int col) {
  std::string s;
  for (int n = col + 1; n > 0; n = (n - 1) / 26) s.insert(s.begin(), static_cast<char>('A' + (n - 1) % 26));
  return s;
}

void writeZip(const std::string& path, const Parts& parts) {
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (!archive) throw std::runtime_error("cannot create " + path);
  for (const auto& [name, content] : parts) {
    zip_source_t* source = zip_source_buffer(archive, content.data(), content.size(), 0);
    if (!source || zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8) < 0) {
      zip_source_free(source);
      zip_discard(archive);
      throw std::runtime_error("cannot add " + name);
    }
  }
  if (zip_close(archive) != 0) {
    zip_discard(archive);
    throw std::runtime_error("cannot write " + path);
  }
}

void writeXlsx(const std::string& path, const XlsxSpec& spec) { writeZip(path, xlsxParts(spec)); }

void writeXlsxWithSheetFile(const std::string& path, const XlsxSpec& spec, const std::string& sheetFile) {
  Parts parts = xlsxParts(spec);
  parts.erase("xl/worksheets/sheet1.xml");
  writeZip(path, parts);
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), 0, &error);
  if (!archive) throw std::runtime_error("cannot open " + path);
  zip_source_t* source = zip_source_file(archive, sheetFile.c_str(), 0, -1);
  if (!source || zip_file_add(archive, "xl/worksheets/sheet1.xml", source, ZIP_FL_OVERWRITE) < 0) {
    zip_source_free(source);
    zip_discard(archive);
    throw std::runtime_error("cannot add " + sheetFile);
  }
  if (zip_close(archive) != 0) {
    zip_discard(archive);
    throw std::runtime_error("cannot write " + path);
  }
}

}  // namespace vt::testing
