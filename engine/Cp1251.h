#pragma once

#include <string>
#include <string_view>

namespace zb {

// Texts inside the game are CP1251 bytes; the desktop speaks UTF-8.
// Characters without a CP1251 code become '?'; malformed UTF-8 bytes are skipped.
std::string Utf8ToCp1251(std::string_view utf8);
std::string Cp1251ToUtf8(std::string_view cp1251);

}  // namespace zb
