#pragma once

namespace zb {

struct TScreenContext;

// The story screen (29): one scene of the dialogue between the monkey and the hunter, a fixed
// timeline on the screen's tick counter that stands still while a line waits for the player.
void EnterSpeechScreen(TScreenContext& ctx);
void ProcessSpeechScreen(TScreenContext& ctx);
void SettleSpeechScreen(TScreenContext& ctx);
void LeaveSpeechScreen(TScreenContext& ctx);

// "b_speech_next" and any key but Escape: the waiting line goes on.
void ContinueScene(TScreenContext& ctx);
// "b_speech_skip" and Escape, and the end of every timeline: on to what follows the scene.
void EndScene(TScreenContext& ctx);
// 0 hides both buttons, 1 shows both, 2 shows only "next", captioned "Старт".
void SetSpeechButtons(TScreenContext& ctx, int mode);
// The rows of the current line in its bubble, while the text is shown.
void DrawSpeechText(TScreenContext& ctx);

}  // namespace zb
