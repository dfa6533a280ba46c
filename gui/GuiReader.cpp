#include "gui/GuiReader.h"

#include <array>
#include <bit>
#include <cstring>
#include <istream>
#include <streambuf>

#include "gui/GuiRegistry.h"

namespace zb {
namespace {

// Nesting deeper than any layout needs is taken for a broken file rather than risk the stack.
constexpr int kMaxDepth = 64;

// Straight from the buffer: the stream's own read guards every call with a sentry, and an end
// of file here ends the reading anyway.
void ReadBytes(std::istream& stream, void* out, size_t size) {
  std::streambuf* buffer = stream.rdbuf();
  const auto wanted = static_cast<std::streamsize>(size);
  if (buffer == nullptr || buffer->sgetn(static_cast<char*>(out), wanted) != wanted) {
    throw TGuiError("the file ends early");
  }
}

uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

double F64(const uint8_t* p) {
  const uint64_t bits = static_cast<uint64_t>(U32(p)) | static_cast<uint64_t>(U32(p + 4)) << 32;
  return std::bit_cast<double>(bits);
}

int32_t ReadInt32(std::istream& stream) {
  uint8_t b[4];
  ReadBytes(stream, b, 4);
  return static_cast<int32_t>(U32(b));
}

int32_t ReadCount(std::istream& stream, const char* what) {
  const int32_t count = ReadInt32(stream);
  if (count < 0) throw TGuiError(std::string("negative ") + what + " count");
  return count;
}

// Read in pieces, so that a forged length costs no more memory than the file holds.
std::string ReadString(std::istream& stream) {
  const int32_t length = ReadInt32(stream);
  if (length < 0) throw TGuiError("negative string length");
  constexpr size_t kPiece = 4096;
  std::string text;
  for (size_t left = static_cast<size_t>(length); left > 0;) {
    const size_t n = std::min(left, kPiece);
    const size_t at = text.size();
    text.resize(at + n);
    ReadBytes(stream, text.data() + at, n);
    left -= n;
  }
  return text;
}

void ReadFill(std::istream& stream, TGuiFill& fill) {
  uint8_t b[17];
  ReadBytes(stream, b, sizeof b);
  for (int i = 0; i < 4; ++i) fill.Colors[i] = U32(b + 4 * i);
  fill.Visible = b[16] != 0;
}

void ReadFont(std::istream& stream, TGuiFont& font) {
  uint8_t b[29];
  ReadBytes(stream, b, sizeof b);
  font.FontIndex = static_cast<int32_t>(U32(b));
  font.Color1 = U32(b + 4);
  font.Color2 = U32(b + 8);
  font.Scale = F64(b + 12);
  font.Style = b[20];
  font.Spacing = F64(b + 21);
}

}  // namespace

void ReadProperties(TGuiControl& control, std::istream& stream) {
  const int32_t count = ReadCount(stream, "property");
  for (int32_t i = 0; i < count; ++i) {
    const std::string name = ReadString(stream);
    uint8_t kind = 0;
    ReadBytes(stream, &kind, 1);
    if (kind == pkFill) {
      TGuiFill* fill = control.FillByName(name);
      if (!fill) throw TGuiError("'" + name + "' is not a fill of " + control.TypeName());
      ReadFill(stream, *fill);
    } else if (kind == pkFont) {
      TGuiFont* font = control.FontByName(name);
      if (!font) throw TGuiError("'" + name + "' is not a font of " + control.TypeName());
      ReadFont(stream, *font);
    } else {
      const std::string value = ReadString(stream);
      try {
        control.SetPropertyByName(name, value);
      } catch (const TGuiError& e) {
        throw TGuiError("property '" + name + "' of " + control.TypeName() + ": " + e.what());
      }
    }
  }
}

void ReadControls(TGuiControl& parent, std::istream& stream, int depth) {
  if (depth > kMaxDepth) throw TGuiError("controls nested too deeply");
  const int32_t count = ReadCount(stream, "control");
  for (int32_t i = 0; i < count; ++i) {
    const std::string className = ReadString(stream);
    // The children of the key-binding box "spec1" are buttons whatever their records say.
    TGuiControl* control =
        TGuiRegistry::CreateControl(parent.Name == "spec1" ? "TGuiButtonEdit" : className, parent);
    if (!control) throw TGuiError("unknown control class '" + className + "'");
    ReadProperties(*control, stream);
    ReadControls(*control, stream, depth + 1);
  }
}

bool LoadFromStream(TGuiControl& parent, std::istream& stream, std::string* error) {
  try {
    ReadControls(parent, stream);
    return true;
  } catch (const std::exception& e) {
    if (error) *error = e.what();
    return false;
  }
}

}  // namespace zb
