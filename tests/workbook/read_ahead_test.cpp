// A part read ahead on a second thread reads as the same part read call by call: the same bytes
// in the same pieces, then the same end or the same failure at the same place, whenever the
// consumer stops.

#include "platform/workbook/read_ahead.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "platform/errors/error.hpp"
#include "platform/workbook/failure.hpp"
#include "platform/workbook/zip_package.hpp"
#include "tests/support/files.hpp"
#include "tests/support/temp_folder.hpp"
#include "tests/workbook/support/sheet_probe.hpp"
#include "tests/workbook/support/xlsx_builder.hpp"

namespace vt::workbook {
namespace {

// What the consumer saw: each read's bytes, then how the reading ended.
using Transcript = std::vector<std::string>;

// Reads `stopAfter` times at most, each asking for `capacity` bytes.
template <typename Read>
Transcript consume(Read&& read, std::size_t capacity, std::size_t stopAfter) {
  Transcript out;
  std::string buffer(capacity, '\0');
  try {
    for (std::size_t i = 0; i < stopAfter; ++i) {
      const std::size_t n = read(buffer.data(), capacity);
      out.emplace_back(buffer.data(), n);
      if (n == 0) {
        out.push_back("end");
        break;
      }
    }
  } catch (const Error& e) {
    out.push_back("failure " + std::to_string(e.number()) + " " + e.description());
  }
  return out;
}

// A source as a zip part is: pieces of up to the capacity asked (some calls give fewer), a cap on
// the bytes that may come out (TooLarge raised by the call that passes it), and a damaged call.
struct Script {
  std::string content;
  std::uint64_t cap = UINT64_MAX;
  std::size_t damagedCall = SIZE_MAX;
  std::size_t shortEvery = 0;  // every n-th call gives half of what it could; 0: none
};

class ScriptSource {
 public:
  explicit ScriptSource(const Script& script) : script_(script), left_(script.cap) {}
  std::size_t operator()(char* buffer, std::size_t capacity) {
    const std::size_t call = calls_++;
    if (call == script_.damagedCall) fail(Failure::Damaged);
    std::size_t n = std::min(capacity, script_.content.size() - at_);
    if (script_.shortEvery != 0 && call % script_.shortEvery == script_.shortEvery - 1) n = (n + 1) / 2;
    if (n > left_) fail(Failure::TooLarge);
    std::memcpy(buffer, script_.content.data() + at_, n);
    at_ += n;
    left_ -= n;
    return n;
  }
  std::size_t calls() const { return calls_; }

 private:
  const Script& script_;
  std::uint64_t left_;
  std::size_t at_ = 0;
  std::atomic<std::size_t> calls_ = 0;
};

std::string contentOf(std::size_t size, std::mt19937& random) {
  std::string content(size, '\0');
  for (char& c : content) c = static_cast<char>('a' + random() % 26);
  return content;
}

TEST(ReadAhead, ReadsAsTheSourceCalledDirectly) {
  std::mt19937 random(20261211);
  for (int round = 0; round < 3000; ++round) {
    const std::size_t blocks = 1 + random() % 8;
    const std::size_t block = 1 + random() % 9;
    const std::size_t ring = blocks * block;
    // Sizes at and past one block and the whole ring, besides empty, one byte and any size.
    const std::size_t any = random() % (5 * ring + 2);
    const std::size_t sizes[] = {0, 1, block - 1, block, block + 1, ring - 1, ring, ring + 1, 3 * ring, any};
    Script script;
    script.content = contentOf(sizes[random() % std::size(sizes)], random);
    const std::size_t fullCalls = script.content.size() / block + 1;  // the last one gives 0
    switch (random() % 5) {
      case 0:  // the cap at a block's end, one past it, one short of it
      case 1: {
        const std::uint64_t boundary = block * (random() % (fullCalls + 1));
        const std::uint64_t caps[] = {boundary, boundary + 1, boundary == 0 ? 0 : boundary - 1,
                                      script.content.size()};
        script.cap = caps[random() % std::size(caps)];
        break;
      }
      case 2: {  // the first call, the last one, the one after it, any
        const std::size_t calls[] = {0, fullCalls - 1, fullCalls, random() % (fullCalls + 1)};
        script.damagedCall = calls[random() % std::size(calls)];
        break;
      }
      default:
        break;
    }
    if (random() % 3 == 0) script.shortEvery = 1 + random() % 3;
    // Stopping after each read, before the first one and after the end.
    const std::size_t stopAfter = random() % (fullCalls + 3);
    SCOPED_TRACE("size " + std::to_string(script.content.size()) + " block " + std::to_string(block) +
                 " blocks " + std::to_string(blocks) + " cap " + std::to_string(script.cap) + " damaged " +
                 std::to_string(script.damagedCall) + " short " + std::to_string(script.shortEvery) +
                 " stop " + std::to_string(stopAfter));

    ScriptSource direct(script);
    const Transcript expected = consume(direct, block, stopAfter);
    ScriptSource behind(script);
    Transcript got;
    {
      ReadAhead ahead([&](char* buffer, std::size_t capacity) { return behind(buffer, capacity); }, blocks);
      got = consume([&](char* buffer, std::size_t capacity) { return ahead.read(buffer, capacity); }, block,
                    stopAfter);
      // Never more than the ring ahead of what was handed out.
      EXPECT_LE(behind.calls(), direct.calls() + blocks);
    }
    ASSERT_EQ(got, expected);
    // Nothing is asked of the source past its end or its failure.
    if (!got.empty() && (got.back() == "end" || got.back().starts_with("failure"))) {
      EXPECT_EQ(behind.calls(), direct.calls());
    }
  }
}

// A consumer that changes the size it asks for still gets every byte once, in order.
TEST(ReadAhead, AnyReadSizesGiveTheWholeContent) {
  std::mt19937 random(7);
  for (int round = 0; round < 500; ++round) {
    Script script;
    script.content = contentOf(random() % 200, random);
    if (random() % 2) script.shortEvery = 1 + random() % 3;
    ScriptSource source(script);
    ReadAhead ahead([&](char* buffer, std::size_t capacity) { return source(buffer, capacity); },
                    1 + random() % 3);
    std::string got;
    char buffer[32];
    for (std::size_t n; (n = ahead.read(buffer, 1 + random() % sizeof buffer)) > 0;) got.append(buffer, n);
    EXPECT_EQ(got, script.content);
    EXPECT_EQ(ahead.read(buffer, sizeof buffer), 0u) << "the end stays the end";
  }
}

TEST(ReadAhead, AFailureIsRaisedAgainOnTheNextRead) {
  Script script;
  script.content = "abcdef";
  script.damagedCall = 1;
  ScriptSource source(script);
  ReadAhead ahead([&](char* buffer, std::size_t capacity) { return source(buffer, capacity); }, 2);
  char buffer[4];
  EXPECT_EQ(ahead.read(buffer, sizeof buffer), 4u);
  for (int i = 0; i < 2; ++i) {
    try {
      ahead.read(buffer, sizeof buffer);
      ADD_FAILURE() << "no failure";
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), failureNumber(Failure::Damaged));
    }
  }
  EXPECT_EQ(source.calls(), 2u);
}

// Through the package: parts large enough to be read ahead, whole, capped at a block's end or one
// past it, and with their packed bytes damaged at the start, the middle or the end.
TEST(ReadAhead, ZipPartsReadAsWithoutReadAhead) {
  constexpr std::size_t kBlock = 1 << 16;  // what the XML parser asks for
  vt::testing::TempFolder dir;
  const std::string path = dir.file("parte.zip");
  std::mt19937 random(11);
  struct Case {
    std::size_t size;
    const char* why;
  };
  const Case cases[] = {
      {0, "empty"},
      {1, "one byte"},
      {kBlock, "one block"},
      {(1u << 20) + 1, "just past the size that is read ahead"},
      {24 * kBlock, "exactly 24 blocks"},
      {24 * kBlock + 1, "one byte into the 25th block"},
      {40 * kBlock - 1, "one byte short of 40 blocks"},
  };
  for (const Case& c : cases) {
    // Compressible, but not to nothing: words from a small pool.
    std::string content;
    static const char* words[] = {"<c r=\"A1\">", "<v>", "12.5", "</v>", "</c>", "PROVEEDOR ", "\n"};
    while (content.size() < c.size) content += words[random() % std::size(words)];
    content.resize(c.size);
    vt::testing::writeZip(path, {{"parte.xml", content}});
    const std::string packed = vt::testing::readOptionalFile(path);
    const auto word = [&](std::size_t at) {
      return static_cast<std::size_t>(static_cast<unsigned char>(packed[at])) +
             256 * static_cast<unsigned char>(packed[at + 1]);
    };
    const std::size_t dataAt = 30 + word(26) + word(28);  // past the local header, name and extra
    const std::size_t dataEnd = packed.find("PK\x01\x02");
    ASSERT_NE(dataEnd, std::string::npos);

    const std::size_t blocksIn = c.size / kBlock + 1;
    const std::uint64_t caps[] = {UINT64_MAX, kBlock * (blocksIn / 2), kBlock * (blocksIn / 2) + 1,
                                  kBlock * blocksIn - 1, c.size};
    // The first packed byte, one in the middle, and the checksum in the central directory (which
    // fails the last read).
    const std::size_t damages[] = {SIZE_MAX, dataAt, dataAt + (dataEnd - dataAt) / 2, dataEnd + 16};
    for (const std::uint64_t cap : caps) {
      for (const std::size_t damage : damages) {
        std::string bytes = packed;
        if (damage != SIZE_MAX) bytes[damage] = static_cast<char>(bytes[damage] ^ 0x5A);
        vt::testing::writeFile(path, bytes);
        // The consumer stopping early is tried on the whole part; the rest is read to its end.
        std::vector<std::size_t> stops = {blocksIn + 2};
        if (cap == UINT64_MAX && damage == SIZE_MAX) stops = {0, 1, blocksIn / 2, blocksIn - 1, blocksIn + 2};
        for (const std::size_t stopAfter : stops) {
          SCOPED_TRACE(std::string(c.why) + ", cap " + std::to_string(cap) + ", damaged at " +
                       std::to_string(damage) + ", stop after " + std::to_string(stopAfter));
          auto transcript = [&](bool readAhead) {
            std::unique_ptr<ZipPackage> package;
            std::unique_ptr<ZipPackage::Stream> stream;
            try {
              package = std::make_unique<ZipPackage>(path);
              stream = package->open("parte.xml", cap, readAhead);
            } catch (const Error& e) {
              return Transcript{"open failed " + std::to_string(e.number())};
            }
            return consume([&](char* buffer, std::size_t capacity) { return stream->read(buffer, capacity); },
                           kBlock, stopAfter);
          };
          const Transcript expected = transcript(false);
          ASSERT_EQ(transcript(true), expected);
          if (damage == SIZE_MAX && cap >= c.size && stopAfter > blocksIn) {
            std::string whole;
            for (const std::string& piece : expected) whole += piece;
            ASSERT_EQ(whole, content + "end");
          }
        }
      }
    }
  }
}

// Workbooks whose shared strings and sheet are large enough to be read ahead: read whole, every
// cell is there; stopped halfway by the parser or by a limit, they fail as they always did.
TEST(ReadAhead, LargeWorkbooksReadWholeOrFailAsBefore) {
  constexpr int kRows = 30000;
  vt::testing::XlsxSpec spec;
  for (int i = 0; i < kRows; ++i)
    spec.sharedItems.push_back("<t>PROVEEDOR " + std::to_string(i) + " CIA. LTDA.</t>");
  std::string rows;
  for (int r = 1; r <= kRows; ++r) {
    const std::string n = std::to_string(r);
    rows += "<row r=\"" + n + "\"><c r=\"A" + n + "\" t=\"s\"><v>" + std::to_string(r - 1) + "</v></c>" +
            vt::testing::numberCell("B" + n, n + ".25") + vt::testing::inlineCell("C" + n, "texto " + n) +
            "</row>";
  }
  spec.sheets[0].rowsXml = rows;
  const std::size_t half = rows.find("<row r=\"15000\">");
  const std::size_t sharedBytes = vt::testing::xlsxParts(spec)["xl/sharedStrings.xml"].size();
  ASSERT_GT(sharedBytes, 1u << 20);
  ASSERT_LT(sharedBytes, rows.size() / 2);
  ASSERT_GT(rows.size(), 2u << 20);

  struct Case {
    const char* why;
    std::string rowsXml;
    ReadLimits limits;
    std::optional<Failure> failure;
  };
  ReadLimits fewCells, shortStream;
  fewCells.maxCells = 1000;
  shortStream.maxStreamBytes = rows.size() / 2;
  const Case cases[] = {
      {"read whole", rows, {}, std::nullopt},
      {"the cell limit stops the parser in the sheet's first blocks", rows, fewCells, Failure::TooLarge},
      {"the cap stops the sheet halfway (the shared strings fit)", rows, shortStream, Failure::TooLarge},
      {"an element closed by the wrong name halfway",
       rows.substr(0, half) + "<row></c>" + rows.substr(half),
       {},
       Failure::Damaged},
      {"the sheet cut halfway", rows.substr(0, half) + "<row r=\"15000\"><c", {}, Failure::Damaged},
  };
  vt::testing::TempFolder dir;
  const std::string path = dir.file("grande.xlsx");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.why);
    spec.sheets[0].rowsXml = c.rowsXml;
    vt::testing::writeXlsx(path, spec);
    ASSERT_EQ(vt::testing::readFailure(path, c.limits), c.failure);
    if (c.failure) continue;
    const Worksheet sheet = readActiveSheet(path, c.limits);
    EXPECT_EQ(sheet.cellCount(), 3u * kRows);
    for (const int r : {1, 15000, kRows}) {
      const std::string n = std::to_string(r);
      EXPECT_EQ(vt::testing::textAt(sheet, "A" + n), "PROVEEDOR " + std::to_string(r - 1) + " CIA. LTDA.");
      EXPECT_EQ(vt::testing::textAt(sheet, "B" + n), n + ".25");
      EXPECT_EQ(vt::testing::textAt(sheet, "C" + n), "texto " + n);
    }
  }
}

}  // namespace
}  // namespace vt::workbook
