#pragma once

namespace zb {

struct TScreenContext;

// Attaches the click action of every menu button of the loaded GUI, found by name; a button the
// GUI file lacks is skipped.
void BindButtons(TScreenContext& ctx);

}  // namespace zb
