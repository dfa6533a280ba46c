#include <SDL_scancode.h>
#include <gtest/gtest.h>

#include "engine/Cp1251.h"
#include "engine/platform/Keys.h"
#include "engine/platform/sdl/SdlKeymap.h"
#include "engine/platform/UrlShortcut.h"

namespace zb::platform {
namespace {

TEST(SdlKeymap, CoversEveryKeyTheGameNames) {
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_A), 65);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_Z), 90);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_P), vk::P);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_V), vk::V);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_0), '0');
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_1), '1');
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_9), '9');
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_F1), 112);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_F12), 123);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_RETURN), 13);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_KP_ENTER), 13);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_ESCAPE), 27);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_SPACE), 32);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_TAB), 9);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_BACKSPACE), 8);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_LSHIFT), 16);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_RSHIFT), 16);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_LCTRL), 17);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_RCTRL), 17);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_PAGEUP), 33);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_PAGEDOWN), 34);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_END), 35);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_HOME), 36);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_LEFT), 37);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_UP), 38);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_RIGHT), 39);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_DOWN), 40);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_INSERT), 45);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_DELETE), 46);
  // The punctuation keys a binding may take: ' * + , - . / ; = [ \ ] `
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_APOSTROPHE), 222);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_KP_MULTIPLY), 106);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_KP_PLUS), 107);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_COMMA), 188);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_MINUS), 189);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_PERIOD), 190);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_SLASH), 191);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_SEMICOLON), 186);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_EQUALS), 187);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_LEFTBRACKET), 219);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_BACKSLASH), 220);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_RIGHTBRACKET), 221);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_GRAVE), 192);
  EXPECT_EQ(VirtualKeyForScancode(SDL_SCANCODE_UNKNOWN), 0);
}

TEST(Cp1251, ConvertsCyrillicBothWaysAndReplacesWhatItCannotEncode) {
  const std::string utf8 = "Пумка ёЁ №";
  const std::string cp = Utf8ToCp1251(utf8);
  EXPECT_EQ(cp, std::string("\xCF\xF3\xEC\xEA\xE0 \xB8\xA8 \xB9"));
  EXPECT_EQ(Cp1251ToUtf8(cp), utf8);
  EXPECT_EQ(Utf8ToCp1251("a\xE2\x82\xAC"), "a\x88");  // the euro sign
  EXPECT_EQ(Utf8ToCp1251("\xE4\xB8\xAD"), "?");        // no CP1251 code
  EXPECT_EQ(Utf8ToCp1251("ab\xD0"), "ab");              // truncated sequence
  EXPECT_EQ(Utf8ToCp1251("\xFFok"), "ok");
}

TEST(UrlShortcut, ReadsTheUrlLine) {
  EXPECT_EQ(UrlFromShortcut("[InternetShortcut]\r\nURL=http://example.org/a\r\n"), "http://example.org/a");
  EXPECT_EQ(UrlFromShortcut("[InternetShortcut]\nIconIndex=0\nURL=x"), "x");
  EXPECT_FALSE(UrlFromShortcut("[InternetShortcut]\r\n").has_value());
}

}  // namespace
}  // namespace zb::platform
