#include "game/SpeechLineText.h"

#include <string>

namespace zb {

TSpeechLine InLanguage(const TSpeechLine& line, const TLanguage& language) {
  if (language.IsOriginal()) return line;
  std::string whole;
  for (const std::string& row : line.Rows) whole += (whole.empty() ? "" : "\n") + row;
  const std::string shown = language.TrCp1251(whole);
  if (shown == whole) return line;
  TSpeechLine result = line;
  result.Rows.clear();
  for (size_t start = 0;;) {
    const size_t end = shown.find('\n', start);
    result.Rows.push_back(shown.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  const int moreRows = static_cast<int>(result.Rows.size()) - static_cast<int>(line.Rows.size());
  result.FirstRowOffset -= moreRows * kSpeechRowStep / 2;
  return result;
}

}  // namespace zb
