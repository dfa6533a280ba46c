#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace zb {
namespace {

class ZbtoolGuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("zb-gui-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    // Three images, the last two through an include that also holds a font.
    Write("images.manifest", "# images\nimage backgame art/backgame.png 800 600\n\ninclude more.manifest\n");
    Write("more.manifest", "image btn art/btn.png 90 24\nfont F f.ttf 12\nimage knob art/knob.png 9 9\n");
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  void Write(const std::string& name, const std::string& text) {
    std::ofstream(folder_ / name, std::ios::binary) << text;
  }
  std::string Read(const std::string& name) {
    std::ifstream in(folder_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // Runs zbtool with standard output and error into out.txt and err.txt.
  int Run(const std::string& arguments) {
    const std::string command =
        "cd " + folder_.string() + " && " + ZB_ZBTOOL + " " + arguments + " > out.txt 2> err.txt";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  int Compile(const std::string& source) {
    Write("a.gui", source);
    return Run("gui-compile gfx.zbx images.manifest a.gui");
  }
  std::filesystem::path folder_;
};

std::string I32(uint32_t v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8 & 0xFF), static_cast<char>(v >> 16 & 0xFF),
          static_cast<char>(v >> 24)};
}
std::string Str(const std::string& s) { return I32(static_cast<uint32_t>(s.size())) + s; }

TEST_F(ZbtoolGuiTest, CompilesToTheByteLayout) {
  ASSERT_EQ(
      Compile("# a comment\n"
              "TGuiForm scr_a {\n"
              "  left = -2  Visible = false\n"
              "  TGuiGauge { Tag = 1  Bkgrnd = fill(@knob) }\n"
              "  tguibutton b_go { ImageIndex = @btn  Caption = \"Да\"  Bkgrnd = fill($FF0000FF, hidden) }\n"
              "}\n"),
      0)
      << Read("err.txt");
  const std::string expected = I32(1) + Str("TGuiForm") + I32(3) + Str("Name") + '\x02' + Str("scr_a") +
                               Str("Left") + '\x00' + Str("-2") + Str("Visible") + '\x03' + Str("False") +
                               I32(2) + Str("TGuiGauge") + I32(2) + Str("Tag") + '\x02' + Str("1") +
                               Str("Bkgrnd") + '\x04' + I32(2) + I32(2) + I32(2) + I32(2) + '\x01' + I32(0) +
                               Str("TGuiButton") + I32(4) + Str("Name") + '\x02' + Str("b_go") +
                               Str("ImageIndex") + '\x00' + Str("1") + Str("Caption") + '\x02' +
                               Str("\xC4\xE0") + Str("Bkgrnd") + '\x04' + I32(0xFF0000FF) + I32(0xFF0000FF) +
                               I32(0xFF0000FF) + I32(0xFF0000FF) + '\x00' + I32(0);
  EXPECT_EQ(Read("gfx.zbx"), expected);
}

TEST_F(ZbtoolGuiTest, FontsKeepWhatIsLeftOut) {
  ASSERT_EQ(Compile("TGuiLabel { Font = font(3, $FF112233, scale = 1.5) }\n"), 0) << Read("err.txt");
  // Index, both colours, scale 1.5, the label's style 0 and spacing 0.0.
  const std::string font = I32(3) + I32(0xFF112233) + I32(0xFF112233) +
                           std::string("\x00\x00\x00\x00\x00\x00\xF8\x3F", 8) + '\x00' + std::string(8, '\0');
  EXPECT_EQ(Read("gfx.zbx"), I32(1) + Str("TGuiLabel") + I32(1) + Str("Font") + '\x05' + font + I32(0));
}

TEST_F(ZbtoolGuiTest, ErrorsNameTheFileLineAndCause) {
  struct Case {
    const char* source;
    const char* message;
  } cases[] = {
      {"TGuiForm {\n ImageIndex = @nosuch\n}\n", "a.gui:2: unknown image key 'nosuch'"},
      {"TGuiWindow {}\n", "a.gui:1: unknown control class 'TGuiWindow'"},
      {"TGuiForm {\n\n Colour = 1 }\n", "a.gui:3: 'Colour' is no property of TGuiForm"},
      {"TGuiButton { Left = 3000000000 }\n", "a.gui:1: Left: "},
      {"TGuiButton { Visible = maybe }\n", "a.gui:1: Visible takes true or false"},
      {"TGuiButton { Caption = \"\xE2\x82\xBF\" }\n", "a.gui:1: text with characters outside CP1251"},
      {"TGuiForm {\n", "a.gui:2: missing '}'"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Compile(c.source), 1) << c.source;
    EXPECT_NE(Read("err.txt").find(c.message), std::string::npos) << Read("err.txt");
  }
}

TEST_F(ZbtoolGuiTest, ListsTheTreeAndReportsAFailedLoad) {
  ASSERT_EQ(Compile("TGuiForm scr_a { Left = 5 Top = 6 Visible = false\n"
                    "  TGuiListBox players { Enabled = false }\n"
                    "}\n"
                    "TGuiButton b_x { }\n"),
            0);
  ASSERT_EQ(Run("gui gfx.zbx"), 0);
  EXPECT_EQ(Read("out.txt"),
            "0 TGuiForm scr_a 5 6 300 200 0 1\n"
            "1 TGuiListBox players 0 0 200 150 1 0\n"
            "2 TGuiScroll  0 0 16 100 1 1\n"
            "0 TGuiButton b_x 0 0 90 24 1 1\n");
  // Cut inside the last record: what came before is listed, the failure goes to standard error.
  std::string bytes = Read("gfx.zbx");
  Write("cut.zbx", bytes.substr(0, bytes.size() - 3));
  EXPECT_EQ(Run("gui cut.zbx"), 1);
  EXPECT_EQ(Read("out.txt").substr(0, 34), "0 TGuiForm scr_a 5 6 300 200 0 1\n1");
  EXPECT_NE(Read("err.txt").find("ends early"), std::string::npos);
  EXPECT_EQ(Run("gui missing.zbx"), 1);
}

TEST_F(ZbtoolGuiTest, WithTheGamesFontsEveryTextMustFitItsControl) {
  const std::string data = std::string(ZB_GAME_DIR) + "/Data/";
  const std::string fonts = " --fonts " + data + "data.zbx --fonts " + data + "data1.zbx";
  auto compile = [&](const std::string& body) {
    Write("a.gui", "TGuiForm scr_a {\n  Width = 300  Height = 120\n" + body + "}\n");
    return Run("gui-compile gfx.zbx images.manifest a.gui" + fonts);
  };
  ASSERT_EQ(compile("  TGuiButton b_ok { Left = 10  Width = 120  Height = 40  Caption = \"Да\"  Font = font(3) }\n"
                    "  TGuiLabel title { Width = 300  Height = 80  WordWrap = true  Alignment = 2\n"
                    "    Text = \"Выйти в главное меню?\"  Font = font(1) }\n"),
            0)
      << Read("err.txt");
  struct Case {
    const char* body;
    const char* message;
  } cases[] = {
      {"  TGuiButton b_long {\n    Width = 120  Height = 40\n    Caption = \"Отправить счёт\"  Font = font(3)\n  }\n",
       "a.gui:3: b_long: \"Отправить счёт\" does not fit: "},
      // 108 pixels of text in a 120-pixel button: inside it, but touching the rim of the picture.
      {"  TGuiButton b_rim {\n    Width = 120  Height = 40\n    Caption = \"Очистить\"  Font = font(3)\n  }\n",
       "a.gui:3: b_rim: \"Очистить\" does not fit: 108 x 24 pixels in a room of 100 x 40"},
      // Two lines of the question need 68 pixels: the second one would be cut.
      {"  TGuiLabel title { Width = 300  Height = 50  WordWrap = true  Alignment = 2\n"
       "    Text = \"Выйти в главное меню?\"  Font = font(1) }\n",
       "a.gui:3: title: \"Выйти в главное меню?\" does not fit: "},
      // A word wider than a wrapping label is never drawn.
      {"  TGuiLabel word { Width = 60  Height = 100  WordWrap = true  Text = \"Сглаживание\"  Font = font(3) }\n",
       "a.gui:3: word: \"Сглаживание\" does not fit: only part of it is drawn"},
      {"  TGuiLabel score { Width = 100  Height = 40  Text = \"0\"  Longest = \"12345678\"  Font = font(0) }\n",
       "a.gui:3: score: \"12345678\" does not fit: "},
      // An empty label is measured with a tall probe: the title font is too high for 20 pixels.
      {"  TGuiLabel low { Width = 200  Height = 20  Text = \"\"  Font = font(0) }\n", "a.gui:3: low: "},
      {"  TGuiEdit e_low { Width = 200  Height = 20  Font = font(3) }\n", "a.gui:3: e_low: "},
      {"  TGuiButton b_out { Left = 250  Width = 120  Height = 40  Caption = \"Да\"  Font = font(3) }\n",
       "a.gui:3: b_out: lies outside scr_a"},
      {"  TGuiButton b_font { Width = 120  Height = 40  Caption = \"Да\"  Font = font(9) }\n",
       "a.gui:3: b_font: font 9 is not in the font list"},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(folder_ / "gfx.zbx");
    EXPECT_EQ(compile(c.body), 1) << c.body;
    EXPECT_NE(Read("err.txt").find(c.message), std::string::npos) << Read("err.txt");
    EXPECT_FALSE(std::filesystem::exists(folder_ / "gfx.zbx"));  // a layout that does not fit is not written
  }
  // Without fonts nothing is measured; "Longest" is never stored.
  EXPECT_EQ(Compile("TGuiLabel score { Text = \"0\"  Longest = \"123456789012345678901234567890\" }\n"), 0);
  const std::string withLongest = Read("gfx.zbx");
  EXPECT_EQ(Compile("TGuiLabel score { Text = \"0\" }\n"), 0);
  EXPECT_EQ(Read("gfx.zbx"), withLongest);
  EXPECT_EQ(Run("gui-compile gfx.zbx images.manifest a.gui --fonts missing.zbx"), 1);
  EXPECT_NE(Read("err.txt").find("cannot read the fonts of \"missing.zbx\""), std::string::npos);
}

// A translation is measured in the control of its Russian text: a caption that fits in Russian but
// not in the other language stops the build and names the language.
TEST_F(ZbtoolGuiTest, EveryTranslatedTextMustFitItsControlToo) {
  const std::string data = std::string(ZB_GAME_DIR) + "/Data/";
  const std::string fonts = " --fonts " + data + "data.zbx --fonts " + data + "data1.zbx";
  Write("a.gui",
        "TGuiForm scr_a {\n  Width = 300  Height = 120\n"
        "  TGuiButton b_ok { Left = 10  Width = 120  Height = 40  Caption = \"Да\"  Font = font(3) }\n}\n");
  auto catalogue = [&](const std::string& yes) {
    Write("xx.po", "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n"
                   "msgid \"Да\"\nmsgstr \"" + yes + "\"\n");
    return std::system(("cd " + folder_.string() + " && msgfmt -o xx.mo xx.po 2> err.txt").c_str());
  };
  ASSERT_EQ(catalogue("Yes"), 0) << Read("err.txt");
  EXPECT_EQ(Run("gui-compile gfx.zbx images.manifest a.gui" + fonts + " --lang xx.mo"), 0) << Read("err.txt");
  ASSERT_EQ(catalogue("Yes, with all my heart"), 0) << Read("err.txt");
  std::filesystem::remove(folder_ / "gfx.zbx");
  EXPECT_EQ(Run("gui-compile gfx.zbx images.manifest a.gui" + fonts + " --lang xx.mo"), 1);
  EXPECT_NE(Read("err.txt").find("in \"xx\": a.gui:3: b_ok: \"Yes, with all my heart\" does not fit"),
            std::string::npos)
      << Read("err.txt");
  EXPECT_FALSE(std::filesystem::exists(folder_ / "gfx.zbx"));
}

}  // namespace
}  // namespace zb
