// zbtool particle, simulate and preview, run as the build and a template author run them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/ParticleTemplate.h"
#include "tests/engine/EngineTestSupport.h"

namespace zb {
namespace {

class ParticleTool : public ::testing::Test {
 protected:
  int Run(const std::string& arguments) {
    const std::string command = std::string(ZB_ZBTOOL) + " " + arguments;
    return std::system(command.c_str());
  }
  std::filesystem::path WriteText(const std::string& name, const std::string& text) {
    return dir_.Write(name, std::vector<uint8_t>(text.begin(), text.end()));
  }
  static std::string Contents(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  std::string Path(const std::string& name) const { return (dir_.Path() / name).string(); }

  test::TempDir dir_;
};

// Every field, in a shuffled order, with each value form the format allows.
constexpr const char* kSource =
    "# a comment line\n"
    "EmitRate = 30          # trailing comment\n"
    "PatternStart = 2\n"
    "PatternEnd = -1\n"
    "Effect = $0104\n"
    "EmitDuration = 1\n"
    "LifeMin = 0.5\n"
    "LifeMax = 0.25\n"
    "Direction = 180deg\n"
    "Spread = 0\n"
    "AlignToMotion = 1\n"
    "SpeedMin = -2\n"
    "SpeedMax = 0\n"
    "GravityMin = 0\n"
    "GravityMax = 0\n"
    "RadialMin = 0\n"
    "RadialMax = 0\n"
    "TangentialMin = 0\n"
    "TangentialMax = 0\n"
    "SizeStart = 0\n"
    "SizeMiddle = 0\n"
    "SizeEnd = 0\n"
    "SizeVariation = 0\n"
    "SpinStart = 0\n"
    "SpinMiddle = 0\n"
    "SpinEnd = 0\n"
    "SpinVariation = 0\n"
    "ColorStart = 17 34 51 68\n"
    "ColorMiddle = 0 0 0 0\n"
    "ColorEnd = 255 255 255 255\n"
    "ColorVariation = 0\n"
    "AlphaVariation = 0\n"
    "MiddleTime = 0.5\n"
    "DrawNewestFirst = 0\n";

TEST_F(ParticleTool, CompilesTextIntoTheRecordLayout) {
  const auto source = WriteText("t.txt", kSource);
  ASSERT_EQ(Run("particle " + source.string() + " " + Path("t.pss")), 0);
  const std::string out = Contents(Path("t.pss"));
  ASSERT_EQ(out.size(), 136u);
  std::vector<uint8_t> expected(136, 0);
  auto put = [&expected](size_t at, std::vector<uint8_t> bytes) {
    for (size_t i = 0; i < bytes.size(); ++i) expected[at + i] = bytes[i];
  };
  put(0, {2, 0, 0, 0});
  put(4, {0xFF, 0xFF, 0xFF, 0xFF});
  put(12, {0x04, 0x01, 0, 0});
  put(16, {30, 0, 0, 0});
  put(20, {0, 0, 0x80, 0x3F});         // 1.0
  put(24, {0, 0, 0, 0x3F});            // 0.5
  put(28, {0, 0, 0x80, 0x3E});         // 0.25
  put(32, {0xDB, 0x0F, 0x49, 0x40});   // pi
  put(40, {1});
  put(44, {0, 0, 0, 0xC0});            // -2.0
  put(108, {17, 34, 51, 68});          // red in the low byte
  put(116, {0xFF, 0xFF, 0xFF, 0xFF});
  put(128, {0, 0, 0, 0x3F});
  EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.end()), expected);
}

TEST_F(ParticleTool, RefusesSourcesThatDoNotNameEveryFieldOnce) {
  const std::string full = kSource;
  auto without = [&full](const std::string& line) {
    std::string s = full;
    s.erase(s.find(line), line.size());
    return s;
  };
  const std::vector<std::string> bad = {
      without("SpinEnd = 0\n"),                        // missing field
      full + "SpinEnd = 1\n",                          // a field twice
      full + "Colour = 1 2 3 4\n",                     // unknown field
      without("ColorEnd = 255 255 255 255\n") + "ColorEnd = 1 2 3\n",
      without("ColorEnd = 255 255 255 255\n") + "ColorEnd = 1 2 3 256\n",
      without("EmitRate = 30          # trailing comment\n") + "EmitRate = 3x\n",
      without("LifeMin = 0.5\n") + "LifeMin = nan\n",
      without("AlignToMotion = 1\n") + "AlignToMotion = 300\n",
      full + "just words\n",
  };
  for (size_t i = 0; i < bad.size(); ++i) {
    const auto source = WriteText("bad" + std::to_string(i) + ".txt", bad[i]);
    EXPECT_NE(Run("particle " + source.string() + " " + Path("bad.pss") + " 2> /dev/null"), 0) << i;
  }
}

TEST_F(ParticleTool, SimulatePrintsEachStepUntilTheSystemIsGone) {
  TParticleTemplate t;
  t.EmitRate = 30;
  t.EmitDuration = 0.1f;
  t.LifeMin = t.LifeMax = 0.1f;
  t.MiddleTime = 0.5f;
  const auto bytes = t.Encode();
  const auto archive = dir_.Write(
      "a.zbx", test::BuildArchive({{"Spark.pss", 0, std::vector<uint8_t>(bytes.begin(), bytes.end())}}));
  ASSERT_EQ(Run("simulate " + archive.string() + " SPARK.PSS 4 0.05 > " + Path("out.txt")), 0);
  const std::string out = Contents(Path("out.txt"));
  // Step 1 emits two (1.5 rounds to 2); step 2 ends the emission, ages them to 0.05; step 3
  // reaches their life; step 4 finds nothing left to update.
  const std::vector<std::string> lines = {"1 2 ", "2 2 ", "3 gone - -", "4 gone - -"};
  size_t at = 0;
  for (const std::string& line : lines) {
    ASSERT_EQ(out.compare(at, line.size(), line), 0) << out;
    at = out.find('\n', at) + 1;
  }
  EXPECT_EQ(at, out.size());
  // Positions are printed with three decimals, close to the spawn point.
  EXPECT_NE(out.find(" 40"), std::string::npos);
  EXPECT_NE(Run("simulate " + archive.string() + " none.pss 4 0.05 2> /dev/null"), 0);
  EXPECT_NE(Run("simulate " + archive.string() + " Spark.pss many 0.05 2> /dev/null"), 0);
}

TEST_F(ParticleTool, PreviewDrawsATemplateOfTheGameArchive) {
  const std::string archive = std::string(ZB_GAME_DIR) + "/Data/data.zbx";
  ASSERT_EQ(Run("preview " + archive + " goldexp.pss 20 0.01 " + Path("gold.png") + " > " + Path("out.txt")),
            0);
  EXPECT_EQ(Contents(Path("out.txt")).find(Path("gold.png") + ": "), 0u);
  const std::string png = Contents(Path("gold.png"));
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(png.substr(1, 3), "PNG");
  // 800 x 600, big-endian in the header.
  EXPECT_EQ(png.substr(16, 8), std::string("\0\0\x03\x20\0\0\x02\x58", 8));
  EXPECT_NE(Run("preview " + archive + " nothing.pss 20 0.01 " + Path("x.png") + " 2> /dev/null"), 0);
}

}  // namespace
}  // namespace zb
