#include "app/BoundInput.h"

namespace zb {

TPlayInput BoundInput(const TSettings& settings, const std::array<bool, 256>& held) {
  const auto bound = [&](int binding) {
    const uint32_t code = settings.Keys[static_cast<size_t>(binding)];
    return code < held.size() && held[code];
  };
  return {bound(0), bound(1), bound(2), bound(3)};
}

TPlayInput BoundInput(const TSettings& settings, const std::array<bool, 256>& held, const TGamepadInput& pads) {
  TPlayInput input = BoundInput(settings, held);
  input.Right = input.Right || pads.Right();
  input.Left = input.Left || pads.Left();
  input.Action = input.Action || pads.Action();
  return input;
}

}  // namespace zb
