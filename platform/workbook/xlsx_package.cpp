#include "platform/workbook/xlsx_package.hpp"

#include <charconv>
#include <cstring>
#include <map>

#include "platform/workbook/failure.hpp"
#include "platform/workbook/number_format.hpp"
#include "platform/workbook/xml_pull.hpp"

namespace vt::workbook {
namespace {

using Event = XmlPullParser::Event;

// Sheets, custom number formats: far beyond any real workbook, and what bounds the memory a
// hostile small part can ask for.
constexpr std::size_t kMaxListed = 65'536;

// The small parts are streamed too, so a part of millions of elements costs time, not memory.
class PartReader {
 public:
  PartReader(const ZipPackage& package, const std::string& part, const ReadLimits& limits)
      : stream_(package.open(part, limits.maxPartBytes)),
        xml_([this](char* buffer, std::size_t capacity) { return stream_->read(buffer, capacity); },
             limits.maxTextBytes) {}
  // The next start element, with the names of the elements it sits in (the root first);
  // false at the end of the part.
  bool nextElement() {
    for (Event e; (e = xml_.next()) != Event::EndOfDocument;) {
      if (e == Event::StartElement) {
        path_.resize(xml_.depth() - 1);
        path_.emplace_back(xml_.name());
        return true;
      }
    }
    return false;
  }
  // Whether the element just read is at root/.../name (local names).
  bool at(std::initializer_list<std::string_view> names) const {
    if (names.size() != path_.size()) return false;
    std::size_t i = 0;
    for (std::string_view n : names) {
      if (path_[i++] != n) return false;
    }
    return true;
  }
  std::string_view attribute(std::string_view name, bool prefixed = false) const {
    return xml_.attribute(name, prefixed).value_or(std::string_view());
  }

 private:
  std::unique_ptr<ZipPackage::Stream> stream_;
  XmlPullParser xml_;
  std::vector<std::string> path_;
};

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

struct Relationship {
  std::string target;  // resolved part name
  std::string type;
};

// The relationships of a part that `keep` asks for, by id.
template <typename Keep>
std::map<std::string, Relationship> readRelationships(const ZipPackage& package, const std::string& sourcePart,
                                                      const ReadLimits& limits, Keep keep) {
  const std::string folder = folderOf(sourcePart);
  const std::string relsPart = folder + "_rels/" + sourcePart.substr(folder.size()) + ".rels";
  std::map<std::string, Relationship> rels;
  if (!package.has(relsPart)) return rels;
  PartReader part(package, relsPart, limits);
  while (part.nextElement()) {
    if (!part.at({"Relationships", "Relationship"}) || part.attribute("TargetMode") == "External") continue;
    const std::string_view id = part.attribute("Id");
    const std::string_view type = part.attribute("Type");
    if (!keep(id, type)) continue;
    if (rels.size() >= kMaxListed && rels.count(std::string(id)) == 0) fail(Failure::TooLarge);
    rels[std::string(id)] = {resolve(folder, part.attribute("Target")), std::string(type)};
  }
  return rels;
}

int toInt(std::string_view text, int fallback) {
  int value = fallback;
  if (std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc()) return fallback;
  return value;
}

std::vector<bool> readStyles(const ZipPackage& package, const std::string& part, const ReadLimits& limits) {
  std::vector<bool> isDate;
  if (part.empty() || !package.has(part)) return isDate;
  PartReader styles(package, part, limits);
  std::map<int, bool> custom;
  std::vector<int> formatOfStyle;
  while (styles.nextElement()) {
    if (styles.at({"styleSheet", "numFmts", "numFmt"})) {
      if (custom.size() >= kMaxListed) fail(Failure::TooLarge);
      custom[toInt(styles.attribute("numFmtId"), -1)] = isDateFormatCode(styles.attribute("formatCode"));
    } else if (styles.at({"styleSheet", "cellXfs", "xf"})) {
      formatOfStyle.push_back(toInt(styles.attribute("numFmtId"), 0));
    }
  }
  isDate.reserve(formatOfStyle.size());
  for (const int id : formatOfStyle) {
    const auto found = custom.find(id);
    isDate.push_back(found != custom.end() ? found->second : isBuiltInDateFormat(id));
  }
  return isDate;
}

}  // namespace

XlsxLayout readXlsxLayout(const ZipPackage& package, const ReadLimits& limits) {
  std::string workbookPart;
  const auto isOfficeDocument = [](std::string_view, std::string_view type) {
    return endsWith(type, "/officeDocument");
  };
  for (const auto& [id, rel] : readRelationships(package, "", limits, isOfficeDocument)) {
    workbookPart = rel.target;
  }
  // A binary workbook (.xlsb) points at a .bin part: a workbook kind this reader does not read.
  if (endsWith(workbookPart, ".bin")) fail(Failure::NotAWorkbook);
  if (workbookPart.empty() || !package.has(workbookPart)) workbookPart = "xl/workbook.xml";
  if (!package.has(workbookPart)) fail(Failure::NotAWorkbook);

  XlsxLayout layout;
  struct Sheet {
    std::string relId;
    bool visible;
  };
  std::vector<Sheet> sheets;
  int activeTab = 0;
  bool seenRoot = false, seenView = false;
  {
    PartReader workbook(package, workbookPart, limits);
    while (workbook.nextElement()) {
      if (workbook.at({"workbook"})) {
        seenRoot = true;
      } else if (workbook.at({"workbook", "workbookPr"})) {
        const std::string_view date1904 = workbook.attribute("date1904");
        layout.date1904 = date1904 == "1" || date1904 == "true";
      } else if (workbook.at({"workbook", "sheets", "sheet"})) {
        if (sheets.size() >= kMaxListed) fail(Failure::TooLarge);
        const std::string_view state = workbook.attribute("state");
        sheets.push_back({std::string(workbook.attribute("id", true)), state != "hidden" && state != "veryHidden"});
      } else if (workbook.at({"workbook", "bookViews", "workbookView"}) && !seenView) {
        seenView = true;
        activeTab = toInt(workbook.attribute("activeTab"), 0);
      }
    }
  }
  if (!seenRoot) fail(Failure::NotAWorkbook);
  if (sheets.empty()) fail(Failure::Damaged);
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

  const std::string& relId = sheets[active].relId;
  const auto rels = readRelationships(package, workbookPart, limits, [&](std::string_view id, std::string_view type) {
    return id == relId || endsWith(type, "/styles") || endsWith(type, "/sharedStrings");
  });
  const auto sheetRel = rels.find(relId);
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
