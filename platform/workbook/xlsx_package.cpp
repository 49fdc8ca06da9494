#include "platform/workbook/xlsx_package.hpp"

#include <charconv>
#include <cstring>
#include <map>
#include <pugixml.hpp>

#include "platform/workbook/failure.hpp"
#include "platform/workbook/number_format.hpp"

namespace vt::workbook {
namespace {

std::string_view localName(const char* qualified) {
  const char* colon = std::strrchr(qualified, ':');
  return colon ? std::string_view(colon + 1) : std::string_view(qualified);
}

pugi::xml_node child(pugi::xml_node node, std::string_view name) {
  for (pugi::xml_node c : node.children()) {
    if (c.type() == pugi::node_element && localName(c.name()) == name) return c;
  }
  return {};
}

template <typename F>
void eachChild(pugi::xml_node node, std::string_view name, F f) {
  for (pugi::xml_node c : node.children()) {
    if (c.type() == pugi::node_element && localName(c.name()) == name) f(c);
  }
}

// Attribute by local name; `prefixed` asks for one with a namespace prefix (r:id, not Id).
pugi::xml_attribute attribute(pugi::xml_node node, std::string_view name, bool prefixed = false) {
  for (pugi::xml_attribute a : node.attributes()) {
    const bool hasPrefix = std::strchr(a.name(), ':') != nullptr;
    if (localName(a.name()) == name && hasPrefix == prefixed) return a;
  }
  return {};
}

bool endsWith(std::string_view text, std::string_view tail) {
  return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

std::string folderOf(const std::string& part) {
  const std::size_t slash = part.rfind('/');
  return slash == std::string::npos ? std::string() : part.substr(0, slash + 1);
}

// A relationship target, relative to the source part's folder or absolute, as a part name.
std::string resolve(const std::string& folder, std::string_view target) {
  std::string joined =
      !target.empty() && target[0] == '/' ? std::string(target.substr(1)) : folder + std::string(target);
  std::vector<std::string> segments;
  std::size_t start = 0;
  while (start <= joined.size()) {
    std::size_t end = joined.find('/', start);
    if (end == std::string::npos) end = joined.size();
    const std::string segment = joined.substr(start, end - start);
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (!segment.empty() && segment != ".") {
      segments.push_back(segment);
    }
    start = end + 1;
  }
  std::string out;
  for (const std::string& s : segments) out += (out.empty() ? "" : "/") + s;
  return out;
}

pugi::xml_document parse(const ZipPackage& package, const std::string& part, const ReadLimits& limits) {
  const std::string data = package.read(part, limits.maxPartBytes);
  pugi::xml_document doc;
  if (!doc.load_buffer(data.data(), data.size(), pugi::parse_default | pugi::parse_ws_pcdata)) {
    fail(Failure::Damaged);
  }
  return doc;
}

struct Relationship {
  std::string target;  // resolved part name
  std::string type;
};

std::map<std::string, Relationship> readRelationships(const ZipPackage& package,
                                                      const std::string& sourcePart,
                                                      const ReadLimits& limits) {
  const std::string folder = folderOf(sourcePart);
  const std::string relsPart = folder + "_rels/" + sourcePart.substr(folder.size()) + ".rels";
  std::map<std::string, Relationship> rels;
  if (!package.has(relsPart)) return rels;
  const pugi::xml_document doc = parse(package, relsPart, limits);
  eachChild(child(doc, "Relationships"), "Relationship", [&](pugi::xml_node r) {
    if (std::string_view(r.attribute("TargetMode").value()) == "External") return;
    rels[r.attribute("Id").value()] = {resolve(folder, r.attribute("Target").value()),
                                       r.attribute("Type").value()};
  });
  return rels;
}

int toInt(const char* text, int fallback) {
  int value = fallback;
  const char* end = text + std::strlen(text);
  if (std::from_chars(text, end, value).ec != std::errc()) return fallback;
  return value;
}

std::vector<bool> readStyles(const ZipPackage& package, const std::string& part, const ReadLimits& limits) {
  std::vector<bool> isDate;
  if (part.empty() || !package.has(part)) return isDate;
  const pugi::xml_document doc = parse(package, part, limits);
  const pugi::xml_node sheet = child(doc, "styleSheet");
  std::map<int, bool> custom;
  eachChild(child(sheet, "numFmts"), "numFmt", [&](pugi::xml_node f) {
    custom[toInt(attribute(f, "numFmtId").value(), -1)] =
        isDateFormatCode(attribute(f, "formatCode").value());
  });
  eachChild(child(sheet, "cellXfs"), "xf", [&](pugi::xml_node xf) {
    const int id = toInt(attribute(xf, "numFmtId").value(), 0);
    const auto found = custom.find(id);
    isDate.push_back(found != custom.end() ? found->second : isBuiltInDateFormat(id));
  });
  return isDate;
}

}  // namespace

XlsxLayout readXlsxLayout(const ZipPackage& package, const ReadLimits& limits) {
  std::string workbookPart;
  for (const auto& [id, rel] : readRelationships(package, "", limits)) {
    if (endsWith(rel.type, "/officeDocument")) workbookPart = rel.target;
  }
  // A binary workbook (.xlsb) points at a .bin part: a workbook kind this reader does not read.
  if (endsWith(workbookPart, ".bin")) fail(Failure::NotAWorkbook);
  if (workbookPart.empty() || !package.has(workbookPart)) workbookPart = "xl/workbook.xml";
  if (!package.has(workbookPart)) fail(Failure::NotAWorkbook);

  const pugi::xml_document doc = parse(package, workbookPart, limits);
  const pugi::xml_node workbook = child(doc, "workbook");
  if (!workbook) fail(Failure::NotAWorkbook);

  XlsxLayout layout;
  const std::string_view date1904 = attribute(child(workbook, "workbookPr"), "date1904").value();
  layout.date1904 = date1904 == "1" || date1904 == "true";

  struct Sheet {
    std::string relId;
    bool visible;
  };
  std::vector<Sheet> sheets;
  eachChild(child(workbook, "sheets"), "sheet", [&](pugi::xml_node s) {
    const std::string_view state = attribute(s, "state").value();
    sheets.push_back({attribute(s, "id", true).value(), state != "hidden" && state != "veryHidden"});
  });
  if (sheets.empty()) fail(Failure::Damaged);
  const int activeTab =
      toInt(attribute(child(child(workbook, "bookViews"), "workbookView"), "activeTab").value(), 0);
  std::size_t active = activeTab >= 0 && static_cast<std::size_t>(activeTab) < sheets.size()
                           ? static_cast<std::size_t>(activeTab)
                           : 0;
  if (!sheets[active].visible) {
    for (std::size_t i = 0; i < sheets.size(); ++i) {
      if (sheets[i].visible) {
        active = i;
        break;
      }
    }
  }

  const auto rels = readRelationships(package, workbookPart, limits);
  const auto sheetRel = rels.find(sheets[active].relId);
  if (sheetRel == rels.end()) fail(Failure::Damaged);
  if (!endsWith(sheetRel->second.type, "/worksheet")) fail(Failure::NotAWorksheet);
  layout.sheetPart = sheetRel->second.target;
  if (!package.has(layout.sheetPart)) fail(Failure::Damaged);

  const std::string folder = folderOf(workbookPart);
  std::string stylesPart = folder + "styles.xml";
  layout.sharedStringsPart = folder + "sharedStrings.xml";
  for (const auto& [id, rel] : rels) {
    if (endsWith(rel.type, "/styles")) stylesPart = rel.target;
    if (endsWith(rel.type, "/sharedStrings")) layout.sharedStringsPart = rel.target;
  }
  if (!package.has(layout.sharedStringsPart)) layout.sharedStringsPart.clear();
  layout.styleIsDate = readStyles(package, stylesPart, limits);
  return layout;
}

}  // namespace vt::workbook
