// Small hostile files that ask the readers for far more memory or time than their content needs:
// each is refused (or read for what it really holds) while the reader holds little memory.

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "platform/workbook/failure.hpp"
#include "tests/support/files.hpp"
#include "tests/support/temp_folder.hpp"
#include "tests/workbook/allocation_meter.hpp"
#include "tests/workbook/support/sheet_probe.hpp"
#include "tests/workbook/support/xls_builder.hpp"
#include "tests/workbook/support/xlsx_builder.hpp"

namespace vt::workbook {
namespace {

using vt::testing::Bytes;
using vt::testing::Parts;

std::string times(const std::string& unit, std::size_t count) {
  std::string out;
  out.reserve(unit.size() * count);
  for (std::size_t i = 0; i < count; ++i) out += unit;
  return out;
}

// A one-cell workbook (A1 = 1) whose part `part` is replaced by `content`.
Parts package(const std::string& part = {}, const std::string& content = {}) {
  vt::testing::XlsxSpec spec;
  spec.sharedItems = {"<t>uno</t>"};
  spec.sheets[0].rowsXml = "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>";
  Parts parts = vt::testing::xlsxParts(spec);
  if (!part.empty()) parts[part] = content;
  return parts;
}

const std::string kSheet = "xl/worksheets/sheet1.xml";
const std::string kStrings = "xl/sharedStrings.xml";

std::string sheetWith(const std::string& rows) {
  return "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><sheetData>" + rows +
         "</sheetData></worksheet>";
}

// A compound file of 512-byte sectors whose directory chain comes back to itself. With
// `repeatFatSector` the allocation table lists one sector once per sector of the file, through
// the header and a chain of DIFAT sectors, so the table itself looks as large as the file.
Bytes loopingCompoundFile(std::uint32_t sectors, bool repeatFatSector) {
  constexpr std::uint32_t kEnd = 0xFFFFFFFE, kFree = 0xFFFFFFFF, kFatSector = 0xFFFFFFFD;
  Bytes file(512 * (static_cast<std::size_t>(sectors) + 1), 0);
  auto put16 = [&](std::size_t at, std::uint16_t v) {
    file[at] = static_cast<std::uint8_t>(v);
    file[at + 1] = static_cast<std::uint8_t>(v >> 8);
  };
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  auto sector = [](std::uint32_t s) { return 512 * (static_cast<std::size_t>(s) + 1); };
  static constexpr std::uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  std::memcpy(file.data(), kSignature, 8);
  put16(0x18, 0x3E);
  put16(0x1A, 3);
  put16(0x1C, 0xFFFE);
  put16(0x1E, 9);
  put16(0x20, 6);
  const std::uint32_t fatSectors = repeatFatSector ? sectors - 1 : 1;
  const std::uint32_t difatSectors = fatSectors > 109 ? (fatSectors - 109 + 126) / 127 : 0;
  put32(0x2C, fatSectors);
  put32(0x30, 1);  // the directory
  put32(0x38, 4096);
  put32(0x3C, kEnd);
  put32(0x44, difatSectors ? 3 : kEnd);
  put32(0x48, difatSectors);
  for (std::uint32_t i = 0; i < 109; ++i) put32(0x4C + 4 * i, i < fatSectors ? 2 : kFree);
  // Sector 1: the directory, root and one stream.
  auto entry = [&](std::size_t at, const std::string& name, std::uint8_t type, std::uint32_t start,
                   std::uint32_t size) {
    for (std::size_t i = 0; i < name.size(); ++i) put16(at + 2 * i, static_cast<std::uint16_t>(name[i]));
    put16(at + 0x40, static_cast<std::uint16_t>(2 * (name.size() + 1)));
    file[at + 0x42] = type;
    put32(at + 0x44, kFree);
    put32(at + 0x48, kFree);
    put32(at + 0x4C, type == 5 ? 1 : kFree);
    put32(at + 0x74, start);
    put32(at + 0x78, size);
  };
  entry(sector(1), "Root Entry", 5, kEnd, 0);
  entry(sector(1) + 128, "Workbook", 2, 0, 512);
  // Sector 2: the allocation table; the directory's sector names itself as the next.
  put32(sector(2), kEnd);
  put32(sector(2) + 4, 1);
  put32(sector(2) + 8, kFatSector);
  for (std::uint32_t i = 3; i < 128; ++i) put32(sector(2) + 4 * i, kFree);
  for (std::uint32_t k = 0; k < difatSectors; ++k) {
    for (std::uint32_t i = 0; i < 127; ++i) put32(sector(3 + k) + 4 * i, 2);
    put32(sector(3 + k) + 4 * 127, k + 1 < difatSectors ? 3 + k + 1 : kEnd);
  }
  return file;
}

struct Hostile {
  const char* name;
  std::function<void(const std::string& path)> write;
  std::optional<Failure> expected;  // nullopt: read, and A1 holds "1"
  std::size_t maxPeakBytes;         // what the read may hold at once
  ReadLimits limits;
  const char* why;
};

auto xlsx(Parts parts) {
  return [parts = std::move(parts)](const std::string& path) { vt::testing::writeZip(path, parts); };
}

ReadLimits withCells(std::size_t cells) {
  ReadLimits l;
  l.maxCells = cells;
  return l;
}

ReadLimits withFreeTokens(std::uint64_t tokens) {
  ReadLimits l;
  l.freeTokens = tokens;
  return l;
}

constexpr std::size_t kMiB = 1 << 20;

TEST(HostileFiles, RefusedOrReadWithinBounds) {
  const std::string a1000(1000, 'A');
  const std::string big(600 * 1024, 'x');
  const std::vector<Hostile> cases = {
      {"text split by comments", xlsx(package(kStrings, "<sst><si><t>" + times(a1000 + "<!---->", 1100) +
                                                            "</t></si></sst>")),
       Failure::TooLarge, 4 * kMiB, {}, "the cap on one cell's text counts every piece, not each token"},
      {"text split by CDATA", xlsx(package(kStrings, "<sst><si><t>" + times("<![CDATA[" + a1000 + "]]>", 1100) +
                                                         "</t></si></sst>")),
       Failure::TooLarge, 4 * kMiB, {}, "CDATA pieces add up the same"},
      {"inline string of many runs",
       xlsx(package(kSheet, sheetWith("<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is>" +
                                      times("<r><t>" + a1000 + "</t></r>", 1100) + "</is></c></row>"))),
       Failure::TooLarge, 4 * kMiB, {}, "runs of one cell add up to its text"},
      {"cell value split by comments",
       xlsx(package(kSheet, sheetWith("<row r=\"1\"><c r=\"A1\" t=\"str\"><v>" + times(a1000 + "<!---->", 1100) +
                                      "</v></c></row>"))),
       Failure::TooLarge, 4 * kMiB, {}, "a value's pieces add up too"},
      {"attributes of a megabyte together",
       xlsx(package(kSheet, sheetWith("<row r=\"1\"><c r=\"A1\" a=\"" + big + "\" b=\"" + big + "\" c=\"" + big +
                                      "\"><v>1</v></c></row>"))),
       Failure::TooLarge, 4 * kMiB, {}, "all attributes of one element share one cap"},
      {"a comment of two megabytes",
       xlsx(package(kSheet, sheetWith("<!--" + std::string(2 * kMiB, 'c') + "--><row r=\"1\"><c r=\"A1\"><v>1</v></c></row>"))),
       Failure::TooLarge, 4 * kMiB, {}, "skipped markup is capped like a text"},
      {"styles of a million empty elements",
       xlsx(package("xl/styles.xml", "<styleSheet><cellXfs><xf numFmtId=\"0\"/>" + times("<a/>", 1'000'000) +
                                         "</cellXfs></styleSheet>")),
       std::nullopt, 2 * kMiB, {}, "the small parts are streamed: elements cost time, not memory"},
      {"workbook part of a million empty elements",
       xlsx(package("xl/workbook.xml",
                    "<workbook xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                    "<sheets><sheet name=\"Hoja1\" sheetId=\"1\" r:id=\"rId1\"/></sheets>" +
                        times("<definedName/>", 1'000'000) + "</workbook>")),
       std::nullopt, 2 * kMiB, {}, "as the styles"},
      {"relationships of a million entries",
       xlsx(package("xl/_rels/workbook.xml.rels",
                    "<Relationships><Relationship Id=\"rId1\" Type=\"x/worksheet\" "
                    "Target=\"worksheets/sheet1.xml\"/>" +
                        times("<Relationship Id=\"z\" Type=\"x/other\" Target=\"t\"/>", 200'000) +
                        "</Relationships>")),
       std::nullopt, 2 * kMiB, {}, "only the relationships the reader needs are kept"},
      {"empty shared strings beyond the cell cap", xlsx(package(kStrings, "<sst>" + times("<si/>", 150'000) + "</sst>")),
       Failure::TooLarge, 2 * kMiB, withCells(100'000), "4 bytes an empty string, and no more of them than cells"},
      {"empty shared strings within the cell cap", xlsx(package(kStrings, "<sst>" + times("<si/>", 90'000) + "</sst>")),
       std::nullopt, 2 * kMiB, withCells(100'000), "the same strings are fine below the cap"},
      {"empty cells only",
       xlsx(package(kSheet, sheetWith("<row r=\"1\"><c r=\"A1\"><v>1</v></c>" + times("<c r=\"B1\"/>", 200'000) +
                                      "</row>"))),
       Failure::TooLarge, 2 * kMiB, withFreeTokens(50'000), "markup out of all proportion to the cells it gives"},
      {"comments only",
       xlsx(package(kSheet, sheetWith("<row r=\"1\"><c r=\"A1\"><v>1</v></c>" + times("<!---->", 200'000) +
                                      "</row>"))),
       Failure::TooLarge, 2 * kMiB, withFreeTokens(50'000), "comments count as markup too"},
      {"as many cells with values",
       xlsx(package(kSheet, sheetWith("<row r=\"1\"><c r=\"A1\"><v>1</v></c>" + times("<c><v>2</v></c>", 10'000) +
                                      "</row>" + times("<row><c><v>3</v></c></row>", 90'000)))),
       std::nullopt, 8 * kMiB, withFreeTokens(50'000), "markup that gives cells is what a sheet is made of"},
      {"allocation table listing one sector over and over",
       [](const std::string& path) { vt::testing::writeFile(path, loopingCompoundFile(512, true)); },
       Failure::Damaged, 512 * 1024, {}, "a sector listed twice is refused before the table is built"},
      {"directory chain that loops",
       [](const std::string& path) { vt::testing::writeFile(path, loopingCompoundFile(64, false)); },
       Failure::Damaged, 512 * 1024, {}, "a chain visits each sector once at most"},
  };
  vt::testing::TempFolder dir;
  for (const Hostile& c : cases) {
    SCOPED_TRACE(std::string(c.name) + ": " + c.why);
    const std::string path = dir.file("libro");
    c.write(path);
    std::optional<Failure> failure;
    std::optional<std::string> a1;
    std::size_t peak = 0;
    {
      vt::testing::AllocationMeter meter;
      try {
        const Worksheet sheet = readActiveSheet(path, c.limits);
        a1 = vt::testing::textAt(sheet, "A1");
      } catch (const vt::Error& e) {
        for (Failure f : {Failure::CannotOpen, Failure::NotAWorkbook, Failure::PasswordProtected,
                          Failure::NotAWorksheet, Failure::Damaged, Failure::TooLarge, Failure::OldFormat}) {
          if (e.number() == failureNumber(f)) failure = f;
        }
        if (!failure) ADD_FAILURE() << e.description();
      }
      peak = meter.peakBytes();
    }
    EXPECT_EQ(failure, c.expected);
    if (!c.expected) {
      EXPECT_EQ(a1, "1");
    }
    EXPECT_LE(peak, c.maxPeakBytes);
  }
}

}  // namespace
}  // namespace vt::workbook
