#pragma once

#include <cstdint>

namespace zb {

class TForm1;

// The start-up logo (3): a picture that fades in and out, then the first screen.
void EnterLogoScreen(TForm1& form);
void ProcessLogoScreen(TForm1& form);
void LeaveLogoScreen(TForm1& form);
inline constexpr int kLogoTicks = 385;

// The main menu (4) greets the current player.
void EnterMainMenuScreen(TForm1& form);
void ProcessMainMenuScreen(TForm1& form);
// "b_mainmenu_logo": the web site link beside the program, when there is one.
void OpenWebsiteLink(TForm1& form);

// Help (6): five picture pages.
void EnterHelpScreen(TForm1& form);
void TurnHelpPage(TForm1& form, int step);

// The options hub (7) saves the settings whenever it is left.
void LeaveOptionsScreen(TForm1& form);

// Sound (25): music and effect volume in steps of 25 within 0..250.
void EnterSoundScreen(TForm1& form);
void StepMusicVolume(TForm1& form, int step);
void StepFxVolume(TForm1& form, int step);

// Graphics (26): the full screen and antialias switches.
void EnterGraphicsScreen(TForm1& form);
void ToggleFullScreen(TForm1& form);
void ToggleAntialias(TForm1& form);

// Controls (27): the three bindable keys.
void EnterControlsScreen(TForm1& form);
void LeaveControlsScreen(TForm1& form);
void DefaultControls(TForm1& form);

}  // namespace zb
