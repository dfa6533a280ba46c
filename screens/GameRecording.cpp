#include "screens/GameRecording.h"

#include <algorithm>
#include <cstdio>
#include <random>

#include "game/RulesIdentity.h"
#include "persist/Checkpoint.h"
#include "persist/ReplayStore.h"
#include "engine/Sound.h"
#include "screens/Cursor.h"
#include "screens/ScreenContext.h"
#include "screens/ScreenId.h"
#include "screens/ScreenMachine.h"

namespace zb {
namespace {

void SetNameAndKeys(TSettings& settings, const TReplay& replay) {
  settings.PlayerName = replay.Name;
  const size_t keys = std::min(replay.Keys.size(), settings.Keys.size());
  settings.KeyCount = static_cast<int>(keys);
  std::copy_n(replay.Keys.begin(), keys, settings.Keys.begin());
}

}  // namespace

void TGameRecorder::Begin(TReplay header) {
  replay_ = std::move(header);
  replay_.Steps.clear();
  active_ = true;
  frames_ = 0;
  input_ = 0;
  pointer_.reset();
  pending_.clear();
}

void TGameRecorder::NoteAction(TReplayAction action) {
  if (active_) pending_.push_back(std::move(action));
}

void TGameRecorder::NoteButton(std::string_view name) {
  if (ownClicks_ == 0) NoteAction({ReplayActionKind::Button, std::string(name)});
}

void TGameRecorder::NoteFrame(uint8_t input, std::span<const bool, 256> released, std::array<int16_t, 2> pointer) {
  if (!active_) return;
  TReplayStep step;
  step.Frame = frames_++;
  step.Input = input;
  for (size_t key = 0; key < released.size(); ++key) {
    if (released[key]) step.Released.push_back(static_cast<uint8_t>(key));
  }
  step.Actions = std::exchange(pending_, {});
  if (pointer_ != pointer) step.Pointer = pointer_ = pointer;
  const bool same = step.Input == input_ && step.Released.empty() && step.Actions.empty() && !step.Pointer;
  input_ = input;
  if (!same || step.Frame == 0) replay_.Steps.push_back(std::move(step));
}

TReplay TGameRecorder::Snapshot() const {
  TReplay replay = replay_;
  int64_t frames = frames_;
  if (!pending_.empty()) replay.Steps.push_back({.Frame = frames++, .Input = input_, .Actions = pending_});
  replay.Frames = frames;
  return replay;
}

TReplay TGameRecorder::Finish(int32_t finalLevel, int32_t finalScore, uint64_t stateHash) {
  // Actions after the last frame (the answer that left the game) belong to a frame of their own.
  if (!pending_.empty()) {
    replay_.Steps.push_back({.Frame = frames_++, .Input = input_, .Actions = std::exchange(pending_, {})});
  }
  replay_.Frames = frames_;
  replay_.FinalLevel = finalLevel;
  replay_.FinalScore = finalScore;
  replay_.FinalStateHash = stateHash;
  active_ = false;
  return std::exchange(replay_, {});
}

uint8_t InputBits(const TPlayInput& input) {
  return static_cast<uint8_t>((input.Right ? kInputRight : 0) | (input.Left ? kInputLeft : 0) |
                              (input.Action ? kInputAction : 0) | (input.Up ? kInputUp : 0));
}

void TReplayFeed::BeforeFrame(TScreenContext& ctx) {
  ctx.KeysReleased.fill(false);
  if (next_ < replay_.Steps.size() && replay_.Steps[next_].Frame == frame_) {
    const TReplayStep& step = replay_.Steps[next_++];
    for (const TReplayAction& action : step.Actions) {
      // Pausing and the close box note themselves; a button run from here is a screen's own click.
      switch (action.Kind) {
        case ReplayActionKind::Button:
          ctx.Recorder.NoteAction(action);
          RunButton(ctx, action.Button);
          break;
        case ReplayActionKind::Pause: PauseIfPlaying(ctx); break;
        case ReplayActionKind::Close: CloseQuery(ctx); break;
      }
    }
    for (const uint8_t key : step.Released) ctx.KeysReleased[key] = true;
    input_ = step.Input;
    if (step.Pointer && ctx.Cursor != nullptr) ctx.Cursor->Held = platform::Point{(*step.Pointer)[0], (*step.Pointer)[1]};
  }
  ctx.Core.SetInput({.Right = (input_ & kInputRight) != 0, .Left = (input_ & kInputLeft) != 0,
                     .Action = (input_ & kInputAction) != 0, .Up = (input_ & kInputUp) != 0});
  ++frame_;
}

void FeedAndNoteFrame(TScreenContext& ctx) {
  if (ctx.Feed) ctx.Feed->BeforeFrame(ctx);
  if (!ctx.Recorder.Active()) return;
  const platform::Point pointer =
      ctx.Cursor != nullptr && ctx.Cursor->Held ? *ctx.Cursor->Held : ctx.Platform.GetWindow().PointerPosition();
  ctx.Recorder.NoteFrame(InputBits(ctx.Play.Input), ctx.KeysReleased,
                         {static_cast<int16_t>(pointer.x), static_cast<int16_t>(pointer.y)});
}

void BeginRecordedGame(TScreenContext& ctx) {
  const uint32_t seed = ctx.NextGameSeed ? *ctx.NextGameSeed : std::random_device{}();
  ctx.NextGameSeed.reset();
  TGameState& game = ctx.Game;
  game.Random.Seed(seed);
  // The look and the particles start from the seed too, so a replay looks as the game did.
  game.LookRandom.Seed(seed ^ 0x4C4F4F4Bu);
  ctx.Core.Particles.Random().SetSeed(seed);
  // The last game's replay goes with it: a game that records none must not send that one.
  ctx.LastReplay.reset();
  // A game of the player's own levels plays other levels than any table counts.
  if (ctx.State.Own.Active || ctx.State.Editor.TestPlaying) return;
  TReplay header;
  header.RulesVersion = kRulesVersion;
  header.ContentHash = ContentDigest(ctx.Folders.Content);
  header.Difficulty = game.Difficulty;
  header.Seed = seed;
  header.Name = ctx.Settings.PlayerName.substr(0, kMaxReplayName);
  const int keys = std::clamp(ctx.Settings.KeyCount, 0, static_cast<int>(ctx.Settings.Keys.size()));
  header.Keys.assign(ctx.Settings.Keys.begin(), ctx.Settings.Keys.begin() + keys);
  header.StartLevel = game.LevelNumber;
  header.StartLives = game.Lives;
  header.StartScore = game.GetShownScore();
  ctx.Recorder.Begin(std::move(header));
}

void FinishRecordedGame(TScreenContext& ctx) {
  if (!ctx.Recorder.Active()) return;
  TReplay replay = ctx.Recorder.Finish(ctx.Game.LevelNumber, ctx.Game.GetShownScore(), ctx.Core.StateHash());
  // A replay being watched is not the player's game.
  if (!ctx.Feed && ctx.Folders.CanSave && !ctx.Folders.User.empty()) {
    if (const std::string error = KeepReplay(ctx.Folders.User, replay); !error.empty()) {
      std::fprintf(stderr, "The replay was not kept: %s\n", error.c_str());
    }
  }
  ctx.LastReplay = std::move(replay);
}

bool ReachMainMenu(TScreenContext& ctx) {
  if (ctx.CurrentScreen == ScreenLogo) return false;
  if (ctx.CurrentScreen != ScreenMainMenu) {
    LeaveScreen(ctx, ctx.CurrentScreen);
    EnterScreen(ctx, ScreenMainMenu);
  }
  return true;
}

void StartReplay(TScreenContext& ctx, TReplay replay) {
  static constexpr const char* kDifficultyButtons[] = {"b_choosedif_easy", "b_choosedif_medium", "b_choosedif_hard"};
  SetNameAndKeys(ctx.Settings, replay);
  ctx.NextGameSeed = replay.Seed;
  const uint8_t difficulty = replay.Difficulty;
  ctx.Feed = std::make_unique<TReplayFeed>(std::move(replay));
  const TReplay& started = ctx.Feed->Replay();
  RunButton(ctx, "b_mainmenu_startgame");
  ctx.Game.LevelNumber = started.StartLevel;
  ctx.Game.Lives = started.StartLives;
  ctx.Game.SetShownScore(started.StartScore);
  RunButton(ctx, kDifficultyButtons[difficulty]);
}

namespace {

// The player's own game, written to their files; a replay watched or checked is not.
bool PlayersOwnGame(const TScreenContext& ctx) {
  return !ctx.Feed && ctx.Folders.CanSave && !ctx.Folders.User.empty();
}

}  // namespace

std::filesystem::path CurrentCheckpointPath(const TScreenContext& ctx) {
  return CheckpointPath(ctx.Folders.User, ctx.Settings.PlayerName);
}

void StartContinuedReplay(TScreenContext& ctx, TReplay segment) {
  SetNameAndKeys(ctx.Settings, segment);
  TReplay checkpoint = segment;
  checkpoint.Steps.clear();
  checkpoint.Frames = 0;
  ctx.Feed = std::make_unique<TReplayFeed>(std::move(segment));
  ContinueGame(ctx, std::move(checkpoint));
}

void StartSegment(TScreenContext& ctx, TReplay segment) {
  if (segment.Resume) {
    StartContinuedReplay(ctx, std::move(segment));
  } else {
    StartReplay(ctx, std::move(segment));
  }
}

void KeepCheckpoint(TScreenContext& ctx) {
  if (!ctx.Recorder.Active() || ctx.State.Own.Active || ctx.State.Editor.TestPlaying) return;
  const TGameState& game = ctx.Game;
  TReplay chain = ctx.Recorder.Snapshot();
  // A continued game at the level it continues from is still at its checkpoint: taken again, it
  // would only add an empty segment to the chain.
  if (chain.Resume && chain.Frames == 0) {
    chain.Steps.clear();
    ctx.LastCheckpoint = std::move(chain);
    return;
  }
  chain.FinalLevel = game.LevelNumber;
  chain.FinalScore = game.GetShownScore();
  chain.FinalStateHash = ctx.Core.PlayStateHash();
  TReplay checkpoint;
  checkpoint.RulesVersion = chain.RulesVersion;
  checkpoint.ContentHash = chain.ContentHash;
  checkpoint.Difficulty = chain.Difficulty;
  checkpoint.Seed = chain.Seed;
  checkpoint.Name = chain.Name;
  checkpoint.Keys = chain.Keys;
  checkpoint.StartLevel = game.LevelNumber;
  checkpoint.StartLives = game.Lives;
  checkpoint.StartScore = game.GetShownScore();
  checkpoint.Resume = TResumeState{.RandomSeed = game.Random.SeedValue(),
                                   .RandomDraws = game.Random.Draws(),
                                   .LookSeed = game.LookRandom.SeedValue(),
                                   .LookDraws = game.LookRandom.Draws(),
                                   .ParticleSeed = ctx.Core.Particles.Random().Seed(),
                                   .ClockRunning = game.ClockRunning,
                                   .ClockTicks = game.ClockTicks,
                                   .SpeechLine = game.SpeechLine};
  checkpoint.Earlier = std::exchange(chain.Earlier, {});
  checkpoint.Earlier.push_back(std::move(chain));
  if (PlayersOwnGame(ctx)) {
    if (const std::string error = WriteCheckpointFile(CurrentCheckpointPath(ctx), checkpoint); !error.empty()) {
      std::fprintf(stderr, "The checkpoint was not kept: %s\n", error.c_str());
    }
  }
  ctx.LastCheckpoint = std::move(checkpoint);
}

void DropCheckpoint(TScreenContext& ctx) {
  if (ctx.Recorder.Active() && PlayersOwnGame(ctx)) RemoveCheckpointFile(CurrentCheckpointPath(ctx));
}

void ContinueGame(TScreenContext& ctx, TReplay checkpoint) {
  const TResumeState resume = checkpoint.Resume.value_or(TResumeState{});
  ctx.State.Own.Active = false;
  ctx.State.Editor.TestPlaying = false;
  ctx.GameFinished = false;
  TGameState& game = ctx.Game;
  game.Difficulty = checkpoint.Difficulty;
  game.LevelNumber = checkpoint.StartLevel;
  game.Lives = checkpoint.StartLives;
  game.SetShownScore(checkpoint.StartScore);
  game.Random.Restore(resume.RandomSeed, resume.RandomDraws);
  game.LookRandom.Restore(resume.LookSeed, resume.LookDraws);
  ctx.Core.Particles.Random().SetSeed(resume.ParticleSeed);
  game.ClockRunning = resume.ClockRunning;
  game.ClockTicks = resume.ClockTicks;
  game.SpeechLine = resume.SpeechLine;
  // The continued game is recorded as the next segment of the game it continues; the keys bound
  // now are this segment's.
  checkpoint.Name = ctx.Settings.PlayerName.substr(0, kMaxReplayName);
  const int keys = std::clamp(ctx.Settings.KeyCount, 0, static_cast<int>(ctx.Settings.Keys.size()));
  checkpoint.Keys.assign(ctx.Settings.Keys.begin(), ctx.Settings.Keys.begin() + keys);
  ctx.Recorder.Begin(std::move(checkpoint));
  MusicOnDifficultyChosen(ctx.Sound);
  Go(ctx, ScreenMainMenu, ScreenGame);
}

}  // namespace zb
