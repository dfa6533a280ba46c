#include "persist/ByteCode.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace zb::bytecode {
namespace {

// Bytes that deflate hardly at all, so that a body spans many of the reader's chunks.
std::string Noise(size_t size) {
  std::mt19937 random(7);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

std::string Packed(std::string_view body) {
  std::string packed;
  Deflate(body, packed);
  return packed;
}

TEST(ByteCodeReader, RunsOfAnySizeComeOutWholeAcrossChunks) {
  const std::string body = Noise(300'000);
  const std::string packed = Packed(body);
  TReader r(packed, body.size());
  EXPECT_EQ(r.Byte(), static_cast<uint8_t>(body[0]));
  EXPECT_TRUE(r.Raw(5) == body.substr(1, 5));
  EXPECT_TRUE(r.Raw(250'000) == body.substr(6, 250'000));
  EXPECT_TRUE(r.Raw(0).empty());
  EXPECT_TRUE(r.Raw(body.size() - 250'006) == body.substr(250'006));
  EXPECT_TRUE(r.Ok());
  EXPECT_TRUE(r.AtEnd());
}

TEST(ByteCodeReader, ACutStreamOrARunPastTheBodyGivesNothing) {
  const std::string body = Noise(100'000);
  const std::string packed = Packed(body);
  {
    TReader r(std::string_view(packed).substr(0, packed.size() / 2), body.size());
    EXPECT_TRUE(r.Raw(body.size()).empty());
    EXPECT_FALSE(r.Ok());
    EXPECT_TRUE(r.StreamFailed());
  }
  {
    TReader r(packed, body.size() + 10);
    EXPECT_TRUE(r.Raw(body.size() + 1).empty());
    EXPECT_FALSE(r.Ok());
  }
  {
    // Bytes after the stream's end make it damaged, however much of what it holds was read.
    const std::string trailed = packed + "x";
    TReader r(trailed, body.size());
    const bool whole = r.Raw(body.size()).size() == body.size();
    EXPECT_FALSE(whole && r.AtEnd());
    EXPECT_TRUE(r.StreamFailed());
  }
}

// The cap holds also where the stream ends within the chunk that crosses it.
TEST(ByteCodeReader, ABodyLargerThanItsCapIsRefusedWhereverItEnds) {
  for (const size_t size : {size_t{10'000}, size_t{9'001}, size_t{100'000}}) {
    const std::string body = Noise(size);
    const std::string packed = Packed(body);
    TReader r(packed, 9'000);
    EXPECT_TRUE(r.Raw(size).empty()) << size;
    EXPECT_FALSE(r.Ok()) << size;
    EXPECT_TRUE(r.StreamFailed()) << size;
    TReader bytes(packed, 9'000);
    for (size_t i = 0; i < size && bytes.Ok(); ++i) bytes.Byte();
    EXPECT_FALSE(bytes.Ok()) << size;
  }
}

}  // namespace
}  // namespace zb::bytecode
