#include "tools/register_table.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

StationRegisters Block(std::vector<uint16_t> words, uint16_t start = 100, int station = 5) {
  return {station, start, std::move(words)};
}

std::string Cell(const StationRegisters& block, int row, RegisterColumn column) {
  return CellText(block, row, column);
}

}  // namespace

// A pair's two words as each column reads them, for known values.
TEST(RegisterTableTest, PairsReadInBothWordOrders) {
  struct Case {
    uint16_t first, second;
    const char* int32HighFirst;
    const char* int32LowFirst;
    const char* floatHighFirst;
    const char* floatLowFirst;
  };
  const Case cases[] = {
      {0x4048, 0xF5C3, "1078523331", "4123213896 (-171753400)", "3.14", "-4.9502034e+32"},
      {0x0001, 0x0000, "65536", "1", "9.1835e-41", "1e-45"},
      {0xFFFF, 0xFFFF, "4294967295 (-1)", "4294967295 (-1)", "NaN", "NaN"},
      {0x7F80, 0x0000, "2139095040", "32640", "Inf", "4.5738e-41"},
      {0xFF80, 0x0000, "4286578688 (-8388608)", "65408", "-Inf", "9.1656e-41"},
      {0x0000, 0x0000, "0", "0", "0", "0"},
  };
  for (const Case& c : cases) {
    const StationRegisters block = Block({c.first, c.second});
    SCOPED_TRACE(HexText(c.first) + " " + HexText(c.second));
    EXPECT_EQ(Cell(block, 0, RegisterColumn::kInt32HighFirst), c.int32HighFirst);
    EXPECT_EQ(Cell(block, 0, RegisterColumn::kInt32LowFirst), c.int32LowFirst);
    EXPECT_EQ(Cell(block, 0, RegisterColumn::kFloatHighFirst), c.floatHighFirst);
    EXPECT_EQ(Cell(block, 0, RegisterColumn::kFloatLowFirst), c.floatLowFirst);
  }
  EXPECT_EQ(Join32(0x4048, 0xF5C3, WordOrder::kHighFirst), 0x4048F5C3u);
  EXPECT_EQ(Join32(0x4048, 0xF5C3, WordOrder::kLowFirst), 0xF5C34048u);
  EXPECT_EQ(Split32(0x4048F5C3u, WordOrder::kLowFirst), (std::array<uint16_t, 2>{0xF5C3, 0x4048}));
  EXPECT_FLOAT_EQ(FloatOf(Join32(0x4048, 0xF5C3, WordOrder::kHighFirst)), 3.14f);
}

TEST(RegisterTableTest, EachRegisterShowsItsAddressAndWord) {
  const StationRegisters block = Block({0xFFFF, 0x002A, 0x8000}, 40000);
  EXPECT_EQ(Cell(block, 0, RegisterColumn::kAddress), "40000");
  EXPECT_EQ(Cell(block, 2, RegisterColumn::kAddress), "40002");
  EXPECT_EQ(Cell(block, 0, RegisterColumn::kHex), "0xFFFF");
  EXPECT_EQ(Cell(block, 0, RegisterColumn::kUnsigned), "65535");
  EXPECT_EQ(Cell(block, 0, RegisterColumn::kSigned), "-1");
  EXPECT_EQ(Cell(block, 1, RegisterColumn::kHex), "0x002A");
  EXPECT_EQ(Cell(block, 1, RegisterColumn::kSigned), "42");
  EXPECT_EQ(Cell(block, 2, RegisterColumn::kSigned), "-32768");
}

// Pairs start at even offsets of the block: the second row of a pair and an
// odd block's last register show no pair, and take no pair edit.
TEST(RegisterTableTest, OnlyAPairsFirstRowHasPairCells) {
  const StationRegisters block = Block({1, 2, 3});
  EXPECT_TRUE(StartsPair(block, 0));
  EXPECT_FALSE(StartsPair(block, 1));
  EXPECT_FALSE(StartsPair(block, 2));
  for (int column = static_cast<int>(RegisterColumn::kInt32HighFirst); column < kRegisterColumns; ++column) {
    const auto c = static_cast<RegisterColumn>(column);
    EXPECT_FALSE(Cell(block, 0, c).empty());
    EXPECT_EQ(Cell(block, 1, c), "");
    EXPECT_EQ(Cell(block, 2, c), "");
    EXPECT_TRUE(IsEditable(block, 0, c));
    EXPECT_FALSE(IsEditable(block, 2, c));
  }
  EXPECT_TRUE(IsEditable(block, 2, RegisterColumn::kUnsigned));
  EXPECT_FALSE(IsEditable(block, 0, RegisterColumn::kAddress));
  EXPECT_FALSE(WriteOfEdit(block, 2, RegisterColumn::kFloatHighFirst, "1").has_value());
  EXPECT_FALSE(WriteOfEdit(block, 0, RegisterColumn::kAddress, "7").has_value());
}

// Every edit as the write request it becomes: the register or pair, the words,
// or the refusal the write tool shows.
TEST(RegisterTableTest, AnEditBecomesTheWriteOfItsWords) {
  struct Case {
    int row;
    RegisterColumn column;
    const char* text;
    std::vector<uint16_t> words;  // empty: refused
    std::string refusal;
  };
  const std::string bad = kBadRegisterValue;
  const Case cases[] = {
      {1, RegisterColumn::kUnsigned, "1234", {1234}, ""},
      {1, RegisterColumn::kUnsigned, " 65535 ", {65535}, ""},
      {1, RegisterColumn::kSigned, "-1", {0xFFFF}, ""},
      {1, RegisterColumn::kSigned, "-32768", {0x8000}, ""},
      {1, RegisterColumn::kHex, "0x00ff", {0x00FF}, ""},
      {1, RegisterColumn::kHex, "BEEF", {0xBEEF}, ""},
      {0, RegisterColumn::kFloatHighFirst, "3.14", {0x4048, 0xF5C3}, ""},
      {0, RegisterColumn::kFloatLowFirst, "3.14", {0xF5C3, 0x4048}, ""},
      {0, RegisterColumn::kInt32HighFirst, "65536", {0x0001, 0x0000}, ""},
      {0, RegisterColumn::kInt32LowFirst, "65536", {0x0000, 0x0001}, ""},
      {0, RegisterColumn::kInt32LowFirst, "-1", {0xFFFF, 0xFFFF}, ""},
      {1, RegisterColumn::kUnsigned, "65536", {}, bad},
      {1, RegisterColumn::kUnsigned, "-1", {}, bad},
      {1, RegisterColumn::kSigned, "32768", {}, bad},
      {1, RegisterColumn::kHex, "0x10000", {}, bad},
      {1, RegisterColumn::kHex, "0xG1", {}, bad},
      {1, RegisterColumn::kUnsigned, "12a", {}, bad},
      {1, RegisterColumn::kUnsigned, "  ", {}, bad + "\r\n无符号未填写。"},
      {0, RegisterColumn::kInt32HighFirst, "4294967296", {}, bad},
      {0, RegisterColumn::kInt32HighFirst, "-2147483649", {}, bad},
      {0, RegisterColumn::kFloatHighFirst, "inf", {}, bad},
      {0, RegisterColumn::kFloatHighFirst, "1e39", {}, bad},
      {0, RegisterColumn::kFloatHighFirst, "3.14x", {}, bad},
  };
  const StationRegisters block = Block({0, 7}, 100, 5);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(kRegisterColumnTitles[static_cast<size_t>(c.column)]) + " \"" + c.text + "\"");
    const std::optional<TableWrite> write = WriteOfEdit(block, c.row, c.column, c.text);
    ASSERT_TRUE(write.has_value());
    if (const auto* one = std::get_if<WriteRegisterRequest>(&*write)) {
      ASSERT_EQ(c.words.size() <= 1, true);
      EXPECT_EQ(*one->station, 5);
      EXPECT_EQ(*one->address, 100 + c.row);
      if (c.words.empty()) {
        EXPECT_EQ(one->value.refusal, c.refusal);
      } else {
        ASSERT_TRUE(one->value.ok());
        EXPECT_EQ(*one->value, c.words[0]);
      }
    } else {
      const auto& pair = std::get<WriteRegistersRequest>(*write);
      EXPECT_EQ(*pair.station, 5);
      EXPECT_EQ(pair.block->start, 100 + c.row);
      EXPECT_EQ(pair.block->count, 2);
      if (c.words.empty()) {
        EXPECT_EQ(pair.values.refusal, c.refusal);
      } else {
        ASSERT_TRUE(pair.values.ok());
        EXPECT_EQ(*pair.values, c.words);
      }
    }
  }
}

TEST(RegisterTableTest, TheEditsWarningNamesTheWordsItReplaces) {
  const StationRegisters block = Block({0, 7}, 100, 5);
  const auto one = std::get<WriteRegisterRequest>(*WriteOfEdit(block, 1, RegisterColumn::kUnsigned, "8"));
  EXPECT_EQ(one.confirmation, "确定向站号 5 的寄存器 101 写入 8（原值 7）？");
  const auto pair = std::get<WriteRegistersRequest>(*WriteOfEdit(block, 0, RegisterColumn::kFloatHighFirst, "3.14"));
  EXPECT_EQ(pair.confirmation, "确定向站号 5 的寄存器 100、101 写入 16456、62915（原值 0、7）？");
  // A refused value is refused before anything is asked.
  const auto refused = std::get<WriteRegisterRequest>(*WriteOfEdit(block, 1, RegisterColumn::kUnsigned, "x"));
  EXPECT_EQ(refused.confirmation, "");
}

// What an edit starts from reads back to the same words: a cell opened and
// closed unchanged writes nothing.
TEST(RegisterTableTest, AnUnchangedCellWritesNothing) {
  const StationRegisters block = Block({0x4048, 0xF5C3, 0xFFFF, 0xFFFF});
  for (int row = 0; row < 4; ++row) {
    for (int column = 1; column < kRegisterColumns; ++column) {
      const auto c = static_cast<RegisterColumn>(column);
      if (!IsEditable(block, row, c)) continue;
      SCOPED_TRACE(std::to_string(row) + " " + kRegisterColumnTitles[column]);
      EXPECT_FALSE(WriteOfEdit(block, row, c, EditText(block, row, c)).has_value());
    }
  }
}

TEST(RegisterTableTest, AnAcknowledgedWriteLandsOnTheRegistersItShares) {
  StationRegisters block = Block({1, 2, 3}, 100, 5);
  ApplyWritten(block, {5, 99, {10, 11}});
  EXPECT_EQ(block.words, (std::vector<uint16_t>{11, 2, 3}));
  ApplyWritten(block, {5, 102, {30, 31}});
  EXPECT_EQ(block.words, (std::vector<uint16_t>{11, 2, 30}));
  ApplyWritten(block, {6, 101, {99}});  // another station's registers
  EXPECT_EQ(block.words, (std::vector<uint16_t>{11, 2, 30}));
}
