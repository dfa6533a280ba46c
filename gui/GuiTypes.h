#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zb {

// Raised by property conversions and the GUI file reader; the loader turns it into a false result.
class TGuiError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum TPropertyKind : uint8_t {
  pkInteger = 0,
  pkString = 2,
  pkBoolean = 3,
  pkFill = 4,
  pkFont = 5,
  pkDrawFx = 6,
  pkAlignment = 7,
  pkColor = 8,
  pkStrings = 9,
  pkGlyphPos = 10,
};

// Names and descriptions are the classes' own literals: every control of a layout has some
// thirty, and a copy of each made loading a layout cost more than reading it.
struct TPropertyRec {
  std::string_view Name;
  std::string_view Description;
  uint8_t Kind = pkInteger;
  int32_t Id = 0;
};

// A property value: the GUI file hands every non-fill, non-font value over as text, the
// program as a typed value; each class converts it to its property's type.
using TGuiValue = std::variant<int64_t, bool, double, std::string, std::vector<std::string>>;

int32_t ValueToInteger(const TGuiValue& value);  // kinds 0, 7, 10
uint32_t ValueToColor(const TGuiValue& value);   // kinds 6 and 8: low 32 bits of up to 64
bool ValueToBoolean(const TGuiValue& value);
std::string ValueToString(const TGuiValue& value);
std::vector<std::string> ValueToStrings(const TGuiValue& value);
// The numeric reading of a value such as "Tag"; nothing for text that is no number.
std::optional<int64_t> ValueNumber(const TGuiValue& value);

// Nearest integer, halves to even, kept within the range that GUI arithmetic can take
// (whatever sizes or scales a file holds).
int RoundToInt(double value);

// ASCII-only lower case, as names are compared.
std::string LowerAscii(std::string_view text);
bool SameTextAscii(std::string_view a, std::string_view b);

using TColors4 = std::array<uint32_t, 4>;  // top-left, top-right, bottom-right, bottom-left

// Text settings of one control.
struct TGuiFont {
  int32_t FontIndex = 0;
  uint32_t Color1 = 0xFFA0A0A0;
  uint32_t Color2 = 0xFFFFFFFF;
  double Scale = 1.0;
  uint8_t Style = 0;
  double Spacing = 0.0;

  void SetColor(uint32_t color) { Color1 = Color2 = color; }
};

// A four-colour fill; one that is not Visible is not drawn.
struct TGuiFill {
  bool Visible = true;
  TColors4 Colors = {0xFFD0D0D0, 0xFFD0D0D0, 0xFFD0D0D0, 0xFFD0D0D0};

  uint32_t GetColor(int index) const { return index >= 0 && index < 4 ? Colors[index] : 0; }
  void SetColor(uint32_t color) { Colors = {color, color, color, color}; }
  void SetColors(uint32_t topLeft, uint32_t topRight, uint32_t bottomRight, uint32_t bottomLeft) {
    Colors = {topLeft, topRight, bottomRight, bottomLeft};
  }
};

// Owner of a list of property descriptors: what makes a control loadable by name.
class TGuiObject {
 public:
  virtual ~TGuiObject() = default;

  // `name` and `description` must outlive the object (string literals).
  int AddProperty(std::string_view name, uint8_t kind, std::string_view description, int32_t id);
  int IndexOfProperty(std::string_view name) const;
  const TPropertyRec* PropertyByName(std::string_view name) const;
  void SetPropertyByName(std::string_view name, const TGuiValue& value);
  // Integer 0 for a name that is not registered.
  TGuiValue GetPropertyByName(std::string_view name) const;
  TGuiFill* FillByName(std::string_view name);
  TGuiFont* FontByName(std::string_view name);

  const std::vector<TPropertyRec>& Properties() const { return properties_; }
  const std::string& TypeName() const { return typeName_; }
  std::string_view TypeDesc() const { return typeDesc_; }

  virtual TGuiValue GetProperty(int32_t /*id*/) const { return int64_t{0}; }
  virtual void SetProperty(int32_t /*id*/, const TGuiValue& /*value*/) {}
  virtual TGuiFill* GetFill(int32_t /*id*/) { return nullptr; }
  virtual void SetFill(int32_t id, const TGuiFill& source);
  virtual TGuiFont* GetFont(int32_t /*id*/) { return nullptr; }
  virtual void SetFont(int32_t id, const TGuiFont& source);

 protected:
  TGuiObject() {
    properties_.reserve(kTypicalProperties);
    SetType("TGuiObject", "Unknown TGuiObject-compliant");
  }
  // Each constructor describes its class after its base did, so the descriptors stand in
  // registration order, base classes first, and the most derived class names the type.
  // `description` must outlive the object (a string literal).
  void SetType(std::string name, std::string_view description);

 private:
  // More than any control class has, so that a control's chain of constructors fills one block.
  static constexpr size_t kTypicalProperties = 40;
  std::vector<TPropertyRec> properties_;
  std::string typeName_;
  std::string_view typeDesc_;
};

}  // namespace zb
