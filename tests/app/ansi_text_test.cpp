#include "ansi_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

TEST(AnsiText, EveryByteComesBackUnchanged) {
  std::string everyByte;
  for (int byte = 0; byte < 256; ++byte) {
    everyByte.push_back(static_cast<char>(byte));
  }
  EXPECT_EQ(ToAnsiBytes(FromAnsiBytes(everyByte)), everyByte);
  EXPECT_EQ(FromAnsiBytes(everyByte).size(), 256);
}

struct ShownByte {
  unsigned char byte;
  char16_t shown;
};

void PrintTo(const ShownByte& test, std::ostream* out) {
  *out << int{test.byte};
}

std::string ByteName(const ::testing::TestParamInfo<ShownByte>& instance) {
  char name[8];
  std::snprintf(name, sizeof name, "x%02X", instance.param.byte);
  return name;
}

class AnsiTextShows : public ::testing::TestWithParam<ShownByte> {};

TEST_P(AnsiTextShows, TheWindows1252Character) {
  const std::string bytes(1, static_cast<char>(GetParam().byte));
  const QString text = FromAnsiBytes(bytes);
  ASSERT_EQ(text.size(), 1);
  EXPECT_EQ(text.at(0).unicode(), GetParam().shown);
  EXPECT_EQ(ToAnsiBytes(text), bytes);
}

INSTANTIATE_TEST_SUITE_P(Bytes, AnsiTextShows,
                         ::testing::Values(ShownByte{'A', u'A'}, ShownByte{'\r', u'\r'},
                                           ShownByte{0x80, u'\u20AC'}, ShownByte{0x8A, u'\u0160'},
                                           ShownByte{0x92, u'\u2019'}, ShownByte{0x9F, u'\u0178'},
                                           // the five bytes 1252 leaves undefined
                                           ShownByte{0x81, u'\u0081'}, ShownByte{0x8D, u'\u008D'},
                                           ShownByte{0x8F, u'\u008F'}, ShownByte{0x90, u'\u0090'},
                                           ShownByte{0x9D, u'\u009D'}, ShownByte{0xA0, u'\u00A0'},
                                           ShownByte{0xE9, u'\u00E9'}, ShownByte{0xFF, u'\u00FF'}),
                         ByteName);

TEST(AnsiText, CharactersWithoutAByteBecomeQuestionMarks) {
  EXPECT_EQ(ToAnsiBytes(QString::fromUtf16(u"a\u0080\u4E2Db")), "a??b");
}

}  // namespace
