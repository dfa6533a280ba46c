#pragma once

namespace zb {

class TForm1;

// The screens that stand over a running level: the question of going back to the menu (0),
// the pause (17) and the level start with its rolling title (28).
void EnterExitToMenuScreen(TForm1& form);
void ProcessExitToMenuScreen(TForm1& form);
void LeaveExitToMenuScreen(TForm1& form);
// "b_exitmm_no": back to play without reloading the level.
void ResumeFromExitToMenu(TForm1& form);

void EnterPauseScreen(TForm1& form);
void ProcessPauseScreen(TForm1& form);
void LeavePauseScreen(TForm1& form);

void EnterLevelStartScreen(TForm1& form);
void ProcessLevelStartScreen(TForm1& form);
void LeaveLevelStartScreen(TForm1& form);

}  // namespace zb
