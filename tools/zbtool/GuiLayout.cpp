#include "tools/zbtool/GuiLayout.h"

#include <bit>
#include <cctype>
#include <charconv>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>

#include "engine/Cp1251.h"
#include "engine/Language.h"
#include "gui/GuiRegistry.h"
#include "gui/GuiTaskbar.h"
#include "tools/zbtool/GuiTextFit.h"

namespace zb::tool {
namespace {

struct Token {
  enum Kind { End, Ident, Number, String, Image, Punct } kind = End;
  std::string text;
  int line = 0;
};

class LayoutError : public std::runtime_error {
 public:
  LayoutError(int line, const std::string& what) : std::runtime_error(what), line(line) {}
  int line;
};

std::vector<Token> Tokenize(const std::string& text) {
  std::vector<Token> tokens;
  int line = 1;
  size_t i = 0;
  auto isIdent = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\n') {
      ++line;
      ++i;
    } else if (std::isspace(static_cast<unsigned char>(c))) {
      ++i;
    } else if (c == '#') {
      while (i < text.size() && text[i] != '\n') ++i;
    } else if (c == '"') {
      std::string value;
      ++i;
      while (true) {
        if (i >= text.size() || text[i] == '\n') throw LayoutError(line, "unterminated text");
        if (text[i] == '"') break;
        if (text[i] == '\\' && i + 1 < text.size()) {
          const char e = text[++i];
          value += e == 'n' ? '\n' : e == 'r' ? '\r' : e;
        } else {
          value += text[i];
        }
        ++i;
      }
      ++i;
      tokens.push_back({Token::String, value, line});
    } else if (c == '@') {
      size_t j = i + 1;
      while (j < text.size() && isIdent(text[j])) ++j;
      if (j == i + 1) throw LayoutError(line, "'@' without an image key");
      tokens.push_back({Token::Image, text.substr(i + 1, j - i - 1), line});
      i = j;
    } else if (c == '$' || c == '-' || c == '+' || std::isdigit(static_cast<unsigned char>(c))) {
      size_t j = i + 1;
      while (j < text.size() && (std::isxdigit(static_cast<unsigned char>(text[j])) || text[j] == '.')) ++j;
      tokens.push_back({Token::Number, text.substr(i, j - i), line});
      i = j;
    } else if (isIdent(c)) {
      size_t j = i;
      while (j < text.size() && isIdent(text[j])) ++j;
      tokens.push_back({Token::Ident, text.substr(i, j - i), line});
      i = j;
    } else if (std::strchr("{}=(),", c)) {
      tokens.push_back({Token::Punct, std::string(1, c), line});
      ++i;
    } else {
      throw LayoutError(line, std::string("unexpected character '") + c + "'");
    }
  }
  tokens.push_back({Token::End, "", line});
  return tokens;
}

void PutI32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>(v >> (8 * i) & 0xFF);
}
void PutF64(std::string& out, double d) {
  const auto bits = std::bit_cast<uint64_t>(d);
  PutI32(out, static_cast<uint32_t>(bits));
  PutI32(out, static_cast<uint32_t>(bits >> 32));
}
void PutString(std::string& out, std::string_view s) {
  PutI32(out, static_cast<uint32_t>(s.size()));
  out += s;
}

// One control of the layout: its record is written once its properties and children are known.
struct Node {
  std::string className;
  int propertyCount = 0;
  std::string properties;
  std::vector<Node> children;

  void Write(std::string& out) const {
    PutString(out, className);
    PutI32(out, static_cast<uint32_t>(propertyCount));
    out += properties;
    PutI32(out, static_cast<uint32_t>(children.size()));
    for (const Node& child : children) child.Write(out);
  }
};

class Compiler {
 public:
  Compiler(const std::vector<Token>& tokens, const std::vector<std::string>& imageKeys, std::string file,
           std::vector<LayoutControl>& built)
      : tokens_(tokens), imageKeys_(imageKeys), file_(std::move(file)), built_(built) {}

  void File(TGuiControl& root, std::vector<Node>& out) {
    while (Peek().kind != Token::End) out.push_back(Control(root));
  }

 private:
  const Token& Peek(int ahead = 0) const { return tokens_[std::min(pos_ + ahead, tokens_.size() - 1)]; }
  const Token& Next() {
    const Token& t = Peek();
    if (pos_ < tokens_.size() - 1) ++pos_;
    return t;
  }
  bool IsPunct(const Token& t, char c) const { return t.kind == Token::Punct && t.text[0] == c; }
  void Expect(char c) {
    const Token& t = Next();
    if (!IsPunct(t, c)) throw LayoutError(t.line, std::string("expected '") + c + "'");
  }

  Node Control(TGuiControl& parent) {
    const Token& cls = Next();
    if (cls.kind != Token::Ident || TGuiRegistry::IndexOf(cls.text) < 0) {
      throw LayoutError(cls.line, "unknown control class '" + cls.text + "'");
    }
    Node node;
    node.className = std::string(TGuiRegistry::Names()[TGuiRegistry::IndexOf(cls.text)]);
    TGuiControl* control =
        TGuiRegistry::CreateControl(parent.Name == "spec1" ? "TGuiButtonEdit" : cls.text, parent);
    const size_t index = built_.size();
    built_.push_back({control, file_, cls.line, std::nullopt});
    if (Peek().kind == Token::Ident || Peek().kind == Token::String) {
      const Token& name = Next();
      AddText(node, *control, "Name", pkString, name.text, name.line);
    }
    Expect('{');
    while (!IsPunct(Peek(), '}')) {
      if (Peek().kind == Token::End) throw LayoutError(Peek().line, "missing '}'");
      if (Peek().kind == Token::Ident && IsPunct(Peek(1), '=') && SameTextAscii(Peek().text, "Longest")) {
        // Not stored: the longest text the screens put here, for the fit check.
        Next();
        Next();
        const Token& value = Next();
        if (value.kind != Token::String) throw LayoutError(value.line, "Longest takes a text in quotes");
        built_[index].longest = Cp1251(value);
      } else if (Peek().kind == Token::Ident && IsPunct(Peek(1), '=')) {
        Property(node, *control);
      } else {
        node.children.push_back(Control(*control));
      }
    }
    Expect('}');
    return node;
  }

  void AddText(Node& node, TGuiControl& control, const std::string& name, uint8_t kind,
               const std::string& value, int line) {
    try {
      control.SetPropertyByName(name, value);
    } catch (const TGuiError& e) {
      throw LayoutError(line, name + ": " + e.what());
    }
    PutString(node.properties, name);
    node.properties += static_cast<char>(kind);
    PutString(node.properties, value);
    ++node.propertyCount;
  }

  std::string Cp1251(const Token& t) {
    const std::string converted = Utf8ToCp1251(t.text);
    if (Cp1251ToUtf8(converted) != t.text) throw LayoutError(t.line, "text with characters outside CP1251");
    return converted;
  }

  // An integer: a number or an image key.
  int64_t Integer(const Token& t) {
    if (t.kind == Token::Image) {
      for (size_t i = 0; i < imageKeys_.size(); ++i) {
        if (imageKeys_[i] == t.text) return static_cast<int64_t>(i);
      }
      throw LayoutError(t.line, "unknown image key '" + t.text + "'");
    }
    if (t.kind != Token::Number) throw LayoutError(t.line, "expected a number or an image key");
    const std::optional<int64_t> value = ValueNumber(TGuiValue(t.text));
    if (!value) throw LayoutError(t.line, "'" + t.text + "' is not an integer");
    return *value;
  }

  double Real(const Token& t) {
    double value = 0;
    const char* begin = t.text.data();
    const char* end = begin + t.text.size();
    if (*begin == '+') ++begin;
    auto [stop, ec] = std::from_chars(begin, end, value);
    if (t.kind != Token::Number || ec != std::errc() || stop != end) {
      throw LayoutError(t.line, "'" + t.text + "' is not a number");
    }
    return value;
  }

  void Property(Node& node, TGuiControl& control) {
    const Token& name = Next();
    Expect('=');
    const TPropertyRec* rec = control.PropertyByName(name.text);
    if (!rec) throw LayoutError(name.line, "'" + name.text + "' is no property of " + control.TypeName());
    const std::string property(rec->Name);
    const Token& value = Next();
    switch (rec->Kind) {
      case pkInteger:
      case pkAlignment:
      case pkGlyphPos:
      case pkDrawFx:
      case pkColor:
        AddText(node, control, property, rec->Kind, std::to_string(Integer(value)), value.line);
        break;
      case pkBoolean:
        if (value.kind != Token::Ident || (value.text != "true" && value.text != "false")) {
          throw LayoutError(value.line, property + " takes true or false");
        }
        AddText(node, control, property, rec->Kind, value.text == "true" ? "True" : "False", value.line);
        break;
      case pkString:
        if (value.kind == Token::Number) {
          AddText(node, control, property, rec->Kind, std::to_string(Integer(value)), value.line);
        } else if (value.kind == Token::String) {
          AddText(node, control, property, rec->Kind, Cp1251(value), value.line);
        } else {
          throw LayoutError(value.line, property + " takes a text in quotes");
        }
        break;
      case pkStrings: {
        if (value.kind != Token::String) throw LayoutError(value.line, property + " takes texts in quotes");
        std::string joined = Cp1251(value);
        while (IsPunct(Peek(), ',')) {
          Next();
          const Token& more = Next();
          if (more.kind != Token::String) throw LayoutError(more.line, "expected a text in quotes");
          joined += "\r\n" + Cp1251(more);
        }
        AddText(node, control, property, rec->Kind, joined, value.line);
        break;
      }
      case pkFill: Fill(node, control, *rec, value); break;
      case pkFont: Font(node, control, *rec, value); break;
      default: throw LayoutError(name.line, "property kind not written by layouts");
    }
  }

  // fill(C) or fill(C1, C2, C3, C4), optionally followed by "hidden" or "visible".
  void Fill(Node& node, TGuiControl& control, const TPropertyRec& rec, const Token& head) {
    if (head.kind != Token::Ident || head.text != "fill")
      throw LayoutError(head.line, std::string(rec.Name) + " takes fill(...)");
    TGuiFill* fill = control.GetFill(rec.Id);
    Expect('(');
    std::vector<uint32_t> colors;
    bool visible = true;
    while (true) {
      const Token& t = Next();
      if (t.kind == Token::Ident && (t.text == "hidden" || t.text == "visible")) {
        visible = t.text == "visible";
      } else {
        colors.push_back(static_cast<uint32_t>(Integer(t)));
      }
      if (IsPunct(Peek(), ')')) break;
      Expect(',');
    }
    Expect(')');
    if (colors.size() == 1) colors.assign(4, colors[0]);
    if (colors.size() != 4) throw LayoutError(head.line, "a fill takes one colour or four");
    for (int i = 0; i < 4; ++i) fill->Colors[i] = colors[i];
    fill->Visible = visible;
    PutString(node.properties, rec.Name);
    node.properties += static_cast<char>(pkFill);
    for (uint32_t c : fill->Colors) PutI32(node.properties, c);
    node.properties += static_cast<char>(fill->Visible ? 1 : 0);
    ++node.propertyCount;
  }

  // font(INDEX [, COLOUR [, BOTTOMCOLOUR]] [, scale=S] [, style=N] [, spacing=S]); what is left out
  // keeps the control's current value.
  void Font(Node& node, TGuiControl& control, const TPropertyRec& rec, const Token& head) {
    if (head.kind != Token::Ident || head.text != "font")
      throw LayoutError(head.line, std::string(rec.Name) + " takes font(...)");
    TGuiFont* font = control.GetFont(rec.Id);
    Expect('(');
    int positional = 0;
    while (true) {
      if (Peek().kind == Token::Ident && IsPunct(Peek(1), '=')) {
        const Token& key = Next();
        Next();
        const Token& value = Next();
        if (key.text == "scale") {
          font->Scale = Real(value);
        } else if (key.text == "spacing") {
          font->Spacing = Real(value);
        } else if (key.text == "style") {
          font->Style = static_cast<uint8_t>(Integer(value));
        } else {
          throw LayoutError(key.line, "a font has no '" + key.text + "'");
        }
      } else {
        const Token& value = Next();
        switch (positional++) {
          case 0: font->FontIndex = static_cast<int32_t>(Integer(value)); break;
          case 1: font->SetColor(static_cast<uint32_t>(Integer(value))); break;
          case 2: font->Color2 = static_cast<uint32_t>(Integer(value)); break;
          default: throw LayoutError(value.line, "too many values in font(...)");
        }
      }
      if (IsPunct(Peek(), ')')) break;
      Expect(',');
    }
    Expect(')');
    PutString(node.properties, rec.Name);
    node.properties += static_cast<char>(pkFont);
    PutI32(node.properties, static_cast<uint32_t>(font->FontIndex));
    PutI32(node.properties, font->Color1);
    PutI32(node.properties, font->Color2);
    PutF64(node.properties, font->Scale);
    node.properties += static_cast<char>(font->Style);
    PutF64(node.properties, font->Spacing);
    ++node.propertyCount;
  }

  const std::vector<Token>& tokens_;
  const std::vector<std::string>& imageKeys_;
  std::string file_;
  std::vector<LayoutControl>& built_;
  size_t pos_ = 0;
};

}  // namespace

GuiLayoutResult CompileGuiLayouts(const std::vector<GuiLayoutSource>& sources,
                                  const std::vector<std::string>& imageKeys, TGfxFonts* fonts,
                                  const std::vector<TLanguage>& languages) {
  GuiLayoutResult result;
  TGuiTaskbar root;  // the controls are built as the game builds them, to check every value
  root.SetBounds(0, 0, 800, 600);
  std::vector<Node> forms;
  std::vector<LayoutControl> built;
  for (const GuiLayoutSource& source : sources) {
    try {
      const std::vector<Token> tokens = Tokenize(source.text);
      Compiler(tokens, imageKeys, source.name, built).File(root, forms);
    } catch (const LayoutError& e) {
      result.error = source.name + ":" + std::to_string(e.line) + ": " + e.what();
      return result;
    }
  }
  if (fonts) {
    result.error = CheckTextFit(built, *fonts);
    for (size_t i = 0; i < languages.size() && result.error.empty(); ++i) {
      result.error = CheckTextFitIn(built, *fonts, languages[i]);
    }
    if (!result.error.empty()) return result;
  }
  PutI32(result.bytes, static_cast<uint32_t>(forms.size()));
  for (const Node& form : forms) form.Write(result.bytes);
  return result;
}

}  // namespace zb::tool
