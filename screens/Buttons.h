#pragma once

namespace zb {

class TForm1;

// Attaches the click action of every menu button of the loaded GUI, found by name; a button the
// GUI file lacks is skipped.
void BindButtons(TForm1& form);

}  // namespace zb
