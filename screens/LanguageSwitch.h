#pragma once

#include <string>

namespace zb {

struct TScreenContext;

// The language the run starts in: the one the player chose ("Language.cfg" beside "Config.cfg"),
// else the desktop's on a first start.
void StartLanguage(TScreenContext& ctx);
// Shows every text in `code` at once: the GUI's captions, and what the screens write from now on.
// A language whose catalogue cannot be read leaves Russian. False when `code` could not be shown.
bool SwitchLanguage(TScreenContext& ctx, const std::string& code);
// The options hub's language button: the next language, shown at once and kept for later starts.
void ChooseNextLanguage(TScreenContext& ctx);

}  // namespace zb
