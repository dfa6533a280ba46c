#include "screens/FramePasses.h"

#include "game/Hud.h"
#include "screens/Cursor.h"
#include "screens/EditorScreen.h"
#include "screens/ScreenContext.h"
#include "screens/SpeechScreen.h"

namespace zb {
namespace {

void DrawImage(TScreenContext& ctx, std::string_view name, int effect) {
  ctx.MyCanvas.DrawImage(ctx.Images.FindImage(name), 0, 0, 0, effect);
}

void RunPass(TScreenContext& ctx, RenderPass pass) {
  TPlayCore& core = ctx.Core;
  TCursor* cursor = ctx.Cursor;
  switch (pass) {
    case RenderPass::Collisions: core.Run(PlayStep::Collide); break;
    case RenderPass::RemoveDead: core.Run(PlayStep::RemoveDead); break;
    case RenderPass::MoveSprites: core.Run(PlayStep::Move); break;
    case RenderPass::ParticleUpdate: core.Run(PlayStep::Particles); break;
    case RenderPass::CountUpScore: core.Run(PlayStep::CountUpScore); break;
    case RenderPass::CursorMove:
      if (cursor != nullptr) cursor->Follow();
      break;
    case RenderPass::ShareUpdate: ctx.Share.UpdateHover(ctx.Platform.GetWindow().PointerPosition()); break;
    case RenderPass::DrawSprites: core.Engine.DrawAll(); break;
    case RenderPass::ParticleDraw: core.Particles.DrawAll(0.0f, 0.0f); break;
    case RenderPass::ParticlesOfPlay:
      // "waterfall" and "Bonus" systems are drawn by their sprites; "dontpaint" ones never here.
      core.Particles.DrawExcept({"Bonus", "waterfall", "dontpaint"}, 0.0f, 0.0f);
      break;
    case RenderPass::ParticlesOfPlayNoTail:
      core.Particles.DrawExcept({"Bonus", "waterfall", "dontpaint", "cursortail"}, 0.0f, 0.0f);
      break;
    case RenderPass::ParticlesSalut: core.Particles.DrawNamed("salut", 0.0f, 0.0f); break;
    case RenderPass::FireRing:
      for (size_t i = 0; i < core.Game.FireSystems.size(); ++i) {
        if (core.Game.FireOn[i]) core.Game.FireSystems[i].Draw(ctx.MyCanvas, 0.0f, 0.0f);
      }
      break;
    case RenderPass::CursorDraw:
      if (cursor != nullptr) cursor->DrawPointer();
      break;
    case RenderPass::CursorDrawIfVisible:
      if (cursor != nullptr && cursor->Visible) cursor->DrawPointer();
      break;
    case RenderPass::BackImageBlended: DrawImage(ctx, "back", fxBlend); break;
    case RenderPass::EndGameImage: DrawImage(ctx, "endgame", fxNone); break;
    case RenderPass::BackGameImage: DrawImage(ctx, "backgame", fxNone); break;
    case RenderPass::Hud: DrawHud(core.Game, core.Play.Fonts); break;
    case RenderPass::PauseText:
      if (TGfxFont* font = core.Play.Fonts.FindFont("PauseText")) {
        const std::string pause = core.Play.Language.Tr("ПАУЗА");
        font->TextOut(pause, 0xFF1721FCu, 400.0f - static_cast<float>(font->TextWidth(pause) / 2), 280.0f);
      }
      break;
    case RenderPass::Gui: ctx.GuiBase.Draw(); break;
    case RenderPass::SpeechText: DrawSpeechText(ctx); break;
    case RenderPass::ShareDraw: ctx.Share.Draw(ctx.MyCanvas); break;
    case RenderPass::EditorGrid: DrawEditor(ctx); break;
  }
}

}  // namespace

void RunPasses(TScreenContext& ctx, std::span<const RenderPass> passes, bool updateGui) {
  ctx.Core.SetDrawn(ctx.Drawing);
  const bool drawing = ctx.Drawing && ctx.Device.BeginScene(0, true);
  for (const RenderPass pass : passes) {
    if (!drawing && DrawsOnly(pass)) continue;
    if (ctx.OnPass) ctx.OnPass(pass, true);
    RunPass(ctx, pass);
    if (ctx.OnPass) ctx.OnPass(pass, false);
  }
  if (drawing) ctx.Device.EndScene();
  if (updateGui) ctx.GuiBase.Update();
  if (drawing) ctx.Device.Flip();
}

}  // namespace zb
