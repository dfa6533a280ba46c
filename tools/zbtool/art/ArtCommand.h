#pragma once

#include <span>

namespace zb::tool {

// zbtool art OUTDIR [IMAGE...]: draws the game's pictures as PNG sprite sheets (all, or the named ones);
// with --lang CATALOGUE.mo only those that write words, in that language. --fit measures the help pages.
int RunArt(std::span<char* const> args);
// zbtool share-art OUTDIR [--lang CATALOGUE.mo]: draws the pictures of the game's own share page.
int RunShareArt(std::span<char* const> args);
// zbtool icon OUTDIR NAME: draws the application icon as NAME-48.png, NAME-128.png, NAME-256.png and NAME.svg.
int RunIcon(std::span<char* const> args);

}  // namespace zb::tool
