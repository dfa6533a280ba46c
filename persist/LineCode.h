#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zb {

// The symbols of an encoded line: a symbol stands for the five bits of its position.
inline constexpr std::string_view kLineAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ234567";

// How many "%" PadText appends to a text of `length` bytes.
size_t PaddingCount(size_t length, int multiple);

// Appends "%" until the length is a multiple of `multiple`; an empty text or a multiple of 0
// stays as it is.
std::string PadText(std::string text, int multiple);

// Removes every trailing "%".
std::string StripPadding(std::string text);
void StripPaddingInPlace(std::string& text);

// Bytes to bits (most significant first), "0"s in front up to a multiple of five, then one
// symbol per group of five. The text is encoded as given: pad it first where the line wants it.
std::string EncodeLine(std::string_view text);

// EncodeLine of `text` padded to `multiple` as PadText pads it, appended to `out`.
void AppendEncodedLine(std::string& out, std::string_view text, int multiple);

// The reverse: symbols outside the alphabet contribute nothing; "0"s in front up to a multiple
// of eight; fewer than eight bits give an empty text. Padding is left in place.
std::string DecodeLine(std::string_view line);

// DecodeLine into `text`, whose room is used again.
void DecodeLineInto(std::string_view line, std::string& text);

}  // namespace zb
