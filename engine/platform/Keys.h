#pragma once

#include <cstdint>

// The virtual-key codes the game and "Config.cfg" use: letters and digits are their
// upper-case ASCII codes; the rest follow the classic desktop numbering.
namespace zb::vk {

inline constexpr uint8_t Backspace = 8;
inline constexpr uint8_t Tab = 9;
inline constexpr uint8_t Enter = 13;
inline constexpr uint8_t Shift = 16;
inline constexpr uint8_t Control = 17;
inline constexpr uint8_t Alt = 18;
inline constexpr uint8_t Pause = 19;
inline constexpr uint8_t CapsLock = 20;
inline constexpr uint8_t Escape = 27;
inline constexpr uint8_t Space = 32;
inline constexpr uint8_t PageUp = 33;
inline constexpr uint8_t PageDown = 34;
inline constexpr uint8_t End = 35;
inline constexpr uint8_t Home = 36;
inline constexpr uint8_t Left = 37;
inline constexpr uint8_t Up = 38;
inline constexpr uint8_t Right = 39;
inline constexpr uint8_t Down = 40;
inline constexpr uint8_t Insert = 45;
inline constexpr uint8_t Delete = 46;
inline constexpr uint8_t Digit0 = 48;  // '0'..'9' are 48..57
inline constexpr uint8_t A = 65;       // 'A'..'Z' are 65..90
inline constexpr uint8_t P = 80;
inline constexpr uint8_t V = 86;
inline constexpr uint8_t Numpad0 = 96;  // numpad 0..9 are 96..105
inline constexpr uint8_t Multiply = 106;
inline constexpr uint8_t Add = 107;
inline constexpr uint8_t Subtract = 109;
inline constexpr uint8_t Decimal = 110;
inline constexpr uint8_t Divide = 111;
inline constexpr uint8_t F1 = 112;  // F1..F12 are 112..123
inline constexpr uint8_t Semicolon = 186;
inline constexpr uint8_t Equals = 187;
inline constexpr uint8_t Comma = 188;
inline constexpr uint8_t Minus = 189;
inline constexpr uint8_t Period = 190;
inline constexpr uint8_t Slash = 191;
inline constexpr uint8_t Grave = 192;
inline constexpr uint8_t LeftBracket = 219;
inline constexpr uint8_t Backslash = 220;
inline constexpr uint8_t RightBracket = 221;
inline constexpr uint8_t Quote = 222;

}  // namespace zb::vk
