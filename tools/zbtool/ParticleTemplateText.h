#pragma once

#include <string>
#include <string_view>

#include "engine/ParticleTemplate.h"

namespace zb::tool {

// The readable source of a particle template: one "Field = value" line per field of the
// 136-byte record, in any order, every field exactly once; "#" starts a comment.
// Integers may be written in hex with "$"; reals take an optional "deg" suffix for degrees;
// colours are "red green blue alpha", each 0..255.
// On failure returns false and puts "line N: what is wrong" into `error`.
bool ParseParticleTemplate(std::string_view text, TParticleTemplate& out, std::string& error);

// The same text for a template, every field in record order.
std::string FormatParticleTemplate(const TParticleTemplate& t);

}  // namespace zb::tool
