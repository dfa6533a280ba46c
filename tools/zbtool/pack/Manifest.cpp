#include "tools/zbtool/pack/Manifest.h"

#include <charconv>
#include <set>
#include <sstream>

#include "engine/Cp1251.h"
#include "engine/FileRead.h"

namespace zb::tool {

namespace {

namespace fs = std::filesystem;

bool ParseInt(const std::string& text, int& value) {
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

class Reader {
 public:
  Reader(const std::vector<fs::path>& roots, Manifest& out) : roots_(roots), out_(out) {}

  bool Read(const fs::path& path) {
    std::error_code ec;
    const fs::path canonical = fs::weakly_canonical(path, ec);
    if (!open_.insert(canonical.string()).second) return Fail(path.string() + ": included from itself");
    FileReadResult file = ReadFileText(path);
    if (!file.ok) return Fail("the manifest " + file.error);
    std::istringstream in(std::move(file.bytes));
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
      ++number;
      if (!ReadLine(path, number, line)) return false;
    }
    open_.erase(canonical.string());
    return true;
  }

 private:
  bool Fail(std::string message) {
    out_.error = std::move(message);
    return false;
  }

  // The file as named, relative to the manifest's folder, then under each root.
  bool Find(const fs::path& manifest, const std::string& name, const std::string& where, fs::path& found) {
    std::error_code ec;
    const fs::path named(name);
    std::vector<fs::path> candidates;
    if (named.is_absolute()) {
      candidates.push_back(named);
    } else {
      candidates.push_back(manifest.parent_path() / named);
      for (const fs::path& root : roots_) candidates.push_back(root / named);
    }
    for (const fs::path& c : candidates) {
      if (fs::is_regular_file(c, ec)) {
        found = c;
        return true;
      }
    }
    return Fail(where + ": file \"" + name + "\" not found");
  }

  bool ReadLine(const fs::path& manifest, int number, const std::string& line) {
    std::vector<std::string> f;
    std::istringstream words(line);
    for (std::string w; words >> w;) {
      if (w[0] == '#') break;
      f.push_back(w);
    }
    if (f.empty()) return true;
    const std::string where = manifest.string() + ":" + std::to_string(number);
    auto ints = [&](size_t from, std::initializer_list<int*> targets) {
      size_t i = from;
      for (int* t : targets) {
        if (i >= f.size()) break;
        if (!ParseInt(f[i], *t)) return Fail(where + ": \"" + f[i] + "\" is not a whole number");
        ++i;
      }
      return true;
    };
    const std::string& kind = f[0];
    if (kind == "include") {
      if (f.size() != 2) return Fail(where + ": include takes one FILE");
      fs::path found;
      return Find(manifest, f[1], where, found) && Read(found);
    }
    ManifestRecord r;
    r.where = where;
    if (kind == "image") {
      if (f.size() < 5 || f.size() > 8 || f.size() == 6) {
        return Fail(where + ": image KEY FILE.png PW PH [VW VH [COUNT]]");
      }
      r.kind = ManifestRecord::Kind::Image;
      if (!ints(3, {&r.patternWidth, &r.patternHeight, &r.visibleWidth, &r.visibleHeight, &r.count})) return false;
      if (r.patternWidth <= 0 || r.patternHeight <= 0 || r.visibleWidth < 0 || r.visibleHeight < 0 ||
          r.count < 0) {
        return Fail(where + ": sizes must be positive");
      }
    } else if (kind == "font") {
      if (f.size() < 4 || f.size() > 5) return Fail(where + ": font KEY FONTFILE PIXELSIZE [SPACING]");
      r.kind = ManifestRecord::Kind::Font;
      if (!ints(3, {&r.pixelSize, &r.spacing})) return false;
      if (r.pixelSize <= 0 || r.pixelSize > 512) return Fail(where + ": PIXELSIZE must be 1..512");
    } else if (kind == "raw") {
      if (f.size() != 4) return Fail(where + ": raw KEY TYPE FILE");
      r.kind = ManifestRecord::Kind::Raw;
      if (!ints(2, {&r.type})) return false;
      if (r.type < 0 || r.type > 65535) return Fail(where + ": TYPE must be 0..65535");
    } else {
      return Fail(where + ": unknown line kind \"" + kind + "\"");
    }
    r.key = Utf8ToCp1251(f[1]);
    if (!keys_.insert(LowerKey(r.key)).second) return Fail(where + ": duplicate key \"" + f[1] + "\"");
    if (!Find(manifest, kind == "raw" ? f[3] : f[2], where, r.file)) return false;
    out_.records.push_back(std::move(r));
    return true;
  }

  // Keys that the game could not tell apart are duplicates.
  static std::string LowerKey(std::string key) {
    for (char& c : key) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    return key;
  }

  const std::vector<fs::path>& roots_;
  Manifest& out_;
  std::set<std::string> open_;
  std::set<std::string> keys_;
};

}  // namespace

Manifest ReadManifest(const fs::path& path, const std::vector<fs::path>& roots) {
  Manifest manifest;
  Reader reader(roots, manifest);
  if (!reader.Read(path)) manifest.records.clear();
  return manifest;
}

}  // namespace zb::tool
