#include "persist/ScoreLine.h"

#include <gtest/gtest.h>

#include "persist/LineCode.h"

namespace zb {
namespace {

TEST(ScoreLineTest, ReadsBackWhatTheGameSends) {
  const TScoreLine lines[] = {
      {"1", "Ann", "1234", "T", ""},
      {"2", "Bob", "100", "", "USA"},
      {"0", "\xCF\xF3\xEC\xEA\xE0", "0", "0123456789abcdef", "\xD0\xEE\xF1\xF1\xE8\xFF"},
      // Separators inside the texts: the name runs to the "|score=" after which the line reads.
      {"0", "a|score=1|b", "77", "tok", "x|z=0|add=y"},
      {"0", "|name=|", "5", "t", "|z="},
  };
  for (const TScoreLine& line : lines) {
    const auto read = DecodeScoreLine(EncodeScoreLine(line));
    ASSERT_TRUE(read) << ScoreLineText(line);
    EXPECT_EQ(*read, line) << ScoreLineText(line);
  }
}

TEST(ScoreLineTest, RefusesLinesTheGameDoesNotSend) {
  const char* texts[] = {
      "type=1|name=Ann|score=1234|key=X|p=T|add=|z=00000",  // five "0"s: more than padding
      "type=1|name=Ann|score=1234|key=X|p=T|add=|z=1",
      "type=1|name=Ann|score=12a4|key=X|p=T|add=|z=0",      // not a decimal
      "type=1|name=Ann|score=|key=X|p=T|add=|z=00000",
      "type=1|name=Ann|score=1234|key=Y|p=T|add=|z=0",
      "type=1|name=Ann|score=1234|key=X|p=T|dd=|z=00",
      "type=1|nme=Ann|score=1234|key=X|p=T|add=|z=00",
      "typ=1|name=Ann|score=1234|key=X|p=T|add=|z=000",
      "type=1|name=Ann|score=1234|key=X|p=T|add=|zz=00",
      "type=1|name=Ann|score=1234|key=X|p=T|add=|z=",        // 44 bytes: the padding is missing
  };
  for (const char* text : texts) {
    EXPECT_FALSE(ParseScoreLineText(text)) << text;
    EXPECT_FALSE(DecodeScoreLine(EncodeLine(PadText(text, 5)))) << text;
  }
  const std::string good = EncodeScoreLine({"1", "Ann", "1234", "T", ""});
  ASSERT_TRUE(DecodeScoreLine(good));
  EXPECT_FALSE(DecodeScoreLine(""));
  EXPECT_FALSE(DecodeScoreLine(good.substr(0, good.size() - 1)));  // not whole groups of 8
  EXPECT_FALSE(DecodeScoreLine(good + "AAAAAAAA"));                  // a zero byte after the padding
  std::string foreign = good;
  foreign[3] = 'a';  // lower case is no symbol
  EXPECT_FALSE(DecodeScoreLine(foreign));
  EXPECT_FALSE(DecodeScoreLine(std::string(2048, 'A')));
}

}  // namespace
}  // namespace zb
