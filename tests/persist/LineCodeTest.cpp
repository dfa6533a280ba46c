#include "persist/LineCode.h"

#include <gtest/gtest.h>

#include <string>

namespace zb {
namespace {

// Worked examples, symbol by symbol: position p of the alphabet is written as its character.
TEST(LineCodeTest, EncodesPaddedTextsSymbolBySymbol) {
  // abc%% -> 12, 5, 17, 6, 6, 9, 9, 5.
  EXPECT_EQ(EncodeLine(PadText("abc", 5)), "MFRGGJJF");
  // 250 and seven "%" -> 6, 8, 26, 19, 0, 9, 9, 5, 4, 20, 18, 18, 10, 9, 9, 5.
  EXPECT_EQ(EncodeLine(PadText("250", 10)), "GI2TAJJFEUSSKJJF");
  // "0" and nine "%": 16 symbols.
  EXPECT_EQ(EncodeLine(PadText("0", 10)), "GASSKJJFEUSSKJJF");
}

TEST(LineCodeTest, SwitchLinesAreNotPadded) {
  // Three "0"s in front of the 32 bits of "true" -> 1, 26, 7, 4, 29, 11, 5.
  EXPECT_EQ(EncodeLine("true"), "B2HE5LF");
  // 40 bits: 12, 25, 16, 22, 24, 28, 27, 5.
  EXPECT_EQ(EncodeLine("false"), "MZQWY43F");
  // 35 bits decode with a zero byte in front; only "false" is compared, so "true" still reads as on.
  EXPECT_EQ(DecodeLine("B2HE5LF"), std::string("\0true", 5));
  EXPECT_EQ(DecodeLine("MZQWY43F"), "false");
}

TEST(LineCodeTest, PaddingOnlyUpToTheMultiple) {
  EXPECT_EQ(PadText("", 5), "");
  EXPECT_EQ(PadText("abcde", 5), "abcde");
  EXPECT_EQ(PadText("abcdef", 5), "abcdef%%%%");
  EXPECT_EQ(PadText("1234567890", 10), "1234567890");
  EXPECT_EQ(PadText("x", 0), "x");
  EXPECT_EQ(StripPadding("ab%c%%%"), "ab%c");
  EXPECT_EQ(StripPadding("%%%"), "");
}

TEST(LineCodeTest, DecodingSkipsForeignSymbolsAndShortLines) {
  EXPECT_EQ(EncodeLine(""), "");
  EXPECT_EQ(DecodeLine(""), "");
  // Five or fewer bits cannot hold a byte.
  EXPECT_EQ(DecodeLine("7"), "");
  // Lower case, "0", "1", "8", "9" and punctuation are not symbols.
  EXPECT_EQ(DecodeLine("MF-RG gG0J1J8F9\r"), "abc%%");
  // "Пумка" in CP1251.
  EXPECT_EQ(DecodeLine("Z7Z6Z2XA"), "\xCF\xF3\xEC\xEA\xE0");
  EXPECT_EQ(EncodeLine("\xCF\xF3\xEC\xEA\xE0"), "Z7Z6Z2XA");
}

TEST(LineCodeTest, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  for (size_t length = 1; length <= all.size(); length += 37) {
    const std::string text = all.substr(0, length);
    const std::string padded = PadText(text, 5);
    EXPECT_EQ(DecodeLine(EncodeLine(padded)), padded) << length;
  }
}

TEST(LineCodeTest, AppendingPadsAsPadTextAndReusingKeepsNothingOfTheLastText) {
  std::string out = "kept\r\n";
  std::string expected = out;
  for (const char* text : {"", "a", "abcde", "250", "\xCF\xF3\xEC\xEA\xE0", "1234567890x"}) {
    for (int multiple : {0, 5, 10}) {
      AppendEncodedLine(out, text, multiple);
      expected += EncodeLine(PadText(text, multiple));
    }
  }
  EXPECT_EQ(out, expected);

  std::string reused(40, 'z');
  DecodeLineInto(EncodeLine("abcde"), reused);
  EXPECT_EQ(reused, "abcde");
  DecodeLineInto("7", reused);
  EXPECT_EQ(reused, "");
}

}  // namespace
}  // namespace zb
