// Every text a player can see has a translation in every catalogue the game ships.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace zb {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Files(const fs::path& folder, const std::string& extension) {
  std::vector<std::string> out;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() == extension) out.push_back(entry.path().string());
  }
  std::sort(out.begin(), out.end());
  return out;
}

// Runs `zbtool lang-check --strict` over the layouts, the story and the code; its report and status.
int LangCheck(const fs::path& catalogue, std::string& report) {
  const fs::path source(ZB_SOURCE_DIR);
  std::string command = std::string(ZB_ZBTOOL) + " lang-check " + catalogue.string() + " --strict --gui";
  for (const auto& f : Files(source / "assets/gui", ".gui")) command += " " + f;
  command += " --story " + (source / "assets/story/story.txt").string() + " --code";
  for (const char* folder : {"app", "screens", "game", "persist", "tools/zbtool/art"}) {
    for (const auto& f : Files(source / folder, ".cpp")) command += " " + f;
  }
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return -1;
  char buffer[512];
  while (fgets(buffer, sizeof buffer, pipe)) report += buffer;
  return pclose(pipe);
}

TEST(LanguageContentTest, EveryCatalogueCoversEveryVisibleText) {
  const std::vector<std::string> sources = Files(fs::path(ZB_SOURCE_DIR) / "assets/lang", ".po");
  ASSERT_FALSE(sources.empty());
  for (const std::string& po : sources) {
    const fs::path catalogue = fs::path(ZB_GAME_DIR) / "Data/lang" / (fs::path(po).stem().string() + ".mo");
    ASSERT_TRUE(fs::exists(catalogue)) << catalogue;
    std::string report;
    EXPECT_EQ(LangCheck(catalogue, report), 0) << report;
    // The check itself finds the texts: the GUI, the 27 story lines and the code's messages.
    EXPECT_NE(report.find(" texts, 0 without"), std::string::npos) << report;
  }
}

TEST(LanguageContentTest, TheCheckNamesATextWithoutTranslation) {
  const fs::path folder = fs::temp_directory_path() / "zb-lang-check";
  fs::create_directories(folder);
  const fs::path layout = folder / "one.gui";
  FILE* f = std::fopen(layout.c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fputs("TGuiButton b_x {\n  Caption = \"Непереведённое\"\n  Items = \"Назад\", \"\"\n}\n", f);
  std::fclose(f);
  std::string report;
  const std::string command = std::string(ZB_ZBTOOL) + " lang-check " + ZB_GAME_DIR + "/Data/lang/en.mo --strict --gui " +
                              layout.string() + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  char buffer[512];
  while (fgets(buffer, sizeof buffer, pipe)) report += buffer;
  EXPECT_NE(pclose(pipe), 0);
  EXPECT_NE(report.find("one.gui:2: no \"en\" text for \"Непереведённое\""), std::string::npos) << report;
  EXPECT_EQ(report.find("Назад"), std::string::npos) << report;
  fs::remove_all(folder);
}

}  // namespace
}  // namespace zb
