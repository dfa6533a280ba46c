#include "engine/XParticles.h"

#include <algorithm>
#include <cmath>

#include "engine/ArchiveDb.h"
#include "engine/GfxSprite.h"
#include "engine/GfxCanvas.h"
#include "engine/GfxImages.h"
#include "engine/MemoryStream.h"
#include "engine/NameKeys.h"

namespace zb {
namespace {

// A speed towards a target over a span; a span of zero (a middle point at birth or at the
// end of life) gives no speed instead of an infinite one.
float SpeedOver(float target, float from, float span) { return span > 0.0f ? (target - from) / span : 0.0f; }

float Channel(uint32_t color, int index) { return static_cast<float>((color >> (8 * index)) & 0xFF); }

// Red, green and blue stay in 0..255; alpha above 255 becomes 254; anything not >= 0 (NaN
// included) becomes 0.
void ClampColor(float (&color)[4]) {
  for (int c = 0; c < 3; ++c) {
    if (!(color[c] >= 0.0f)) color[c] = 0.0f;
    else if (color[c] > 255.0f) color[c] = 255.0f;
  }
  if (!(color[3] >= 0.0f)) color[3] = 0.0f;
  else if (color[3] > 255.0f) color[3] = 254.0f;
}

}  // namespace

float TXObject::AngleTo(float x, float y) {
  Angle = std::atan2(x - X, y - Y);
  return Angle;
}

// ---- TXParticleSystem ---------------------------------------------------------------------

TXParticleSystem::TXParticleSystem(TParticleRandom& random, int capacity)
    : random_(random),
      particles_(std::make_unique_for_overwrite<TXParticle[]>(static_cast<size_t>(std::max(capacity, 0)))),
      capacity_(std::max(capacity, 0)) {
  emitterPoints_.push_back({0, 0});
}

void TXParticleSystem::Start() {
  if (emitterPoints_.empty()) return;
  emitTimer_ = template_.EmitDuration > 0.0f ? 0.0f : -1.0f;
}

void TXParticleSystem::StopEmitting(bool clearParticles) {
  emitTimer_ = -1.0f;
  if (clearParticles) count_ = 0;
}

void TXParticleSystem::MoveBy(float dx, float dy, bool dragParticles) {
  const float oldX = X;
  const float oldY = Y;
  X += dx;
  Y += dy;
  if (dragParticles) {
    for (int i = 0; i < count_; ++i) {
      particles_[static_cast<size_t>(i)].X += dx;
      particles_[static_cast<size_t>(i)].Y += dy;
    }
    prevX_ += dx;
    prevY_ += dy;
  } else if (Emitting()) {
    prevX_ = oldX;
    prevY_ = oldY;
  } else {
    prevX_ = X;
    prevY_ = Y;
  }
}

void TXParticleSystem::Emit() {
  if (count_ >= capacity_ || emitterPoints_.empty()) return;
  const TParticleTemplate& t = template_;
  TParticleRandom& r = random_;
  TXParticle& p = particles_[static_cast<size_t>(count_)];

  p.Age = 0.0f;
  p.Life = r.Range(t.LifeMin, t.LifeMax);
  p.MiddleAge = p.Life * t.MiddleTime;

  const float along = r.Range(0.0f, 1.0f);
  p.X = prevX_ + (X - prevX_) * along;
  p.Y = prevY_ + (Y - prevY_) * along;
  TEmitterPoint point = emitterPoints_.front();
  if (emitterPoints_.size() > 1) {
    point =
        emitterPoints_[std::uniform_int_distribution<size_t>(0, emitterPoints_.size() - 1)(pointChooser_)];
  }
  const float jitterX = r.Range(-1.0f, 1.0f);
  p.X += jitterX + static_cast<float>(point.X);
  const float jitterY = r.Range(-1.0f, 1.0f);
  p.Y += jitterY + static_cast<float>(point.Y);
  p.AnchorDX = X - p.X;
  p.AnchorDY = Y - p.Y;

  float angle = r.Range(0.0f, t.Spread) + t.Direction - t.Spread / 2.0f;
  if (t.AlignToMotion != 0) angle += std::atan2(prevX_ - X, prevY_ - Y);
  const float speed = r.Range(t.SpeedMin, t.SpeedMax);
  p.VX = std::sin(angle) * speed;
  p.VY = std::cos(angle) * speed;

  p.Gravity = r.Range(t.GravityMin, t.GravityMax);
  p.Radial = r.Range(t.RadialMin, t.RadialMax);
  p.Tangential = r.Range(t.TangentialMin, t.TangentialMax);

  p.Size = r.Range(t.SizeStart, t.SizeStart + (t.SizeMiddle - t.SizeStart) * t.SizeVariation);
  p.SizeSpeed = SpeedOver(t.SizeMiddle, p.Size, p.MiddleAge);
  p.Spin = r.Range(t.SpinStart, t.SpinStart + (t.SpinMiddle - t.SpinStart) * t.SpinVariation);
  p.SpinSpeed = SpeedOver(t.SpinMiddle, p.Spin, p.MiddleAge);

  p.Pattern = static_cast<float>(t.PatternStart);
  p.PatternSpeed =
      (t.PatternEnd < 0 || t.PatternEnd == t.PatternStart)
          ? 0.0f
          : SpeedOver(static_cast<float>(t.PatternEnd), static_cast<float>(t.PatternStart), p.Life);

  const float colorMix = r.Range(0.0f, t.ColorVariation);
  const float alphaMix = r.Range(0.0f, t.AlphaVariation);
  for (int c = 0; c < 4; ++c) {
    const float start = Channel(t.ColorStart, c);
    const float middle = Channel(t.ColorMiddle, c);
    p.Color[c] = start + (c < 3 ? colorMix : alphaMix) * (middle - start);
  }
  ClampColor(p.Color);
  for (int c = 0; c < 4; ++c) p.ColorSpeed[c] = SpeedOver(Channel(t.ColorMiddle, c), p.Color[c], p.MiddleAge);
  ++count_;
}

void TXParticleSystem::Advance(float delta, bool drawn) {
  if (emitTimer_ >= 0.0f) {
    emitTimer_ += delta;
    if (emitTimer_ >= template_.EmitDuration) emitTimer_ = -1.0f;
  }

  const TParticleTemplate& t = template_;
  const float step10 = 10.0f * delta;
  const bool pulled = t.RadialMin != 0.0f || t.RadialMax != 0.0f || t.TangentialMin != 0.0f ||
                      t.TangentialMax != 0.0f;
  int kept = 0;
  const int count = std::min(count_, capacity_);
  for (int i = 0; i < count; ++i) {
    TXParticle& p = particles_[static_cast<size_t>(i)];
    p.Age += delta;
    if (p.Age >= p.Life) continue;
    if (!drawn) {
      if (kept != i) particles_[static_cast<size_t>(kept)] = p;
      ++kept;
      continue;
    }
    const bool crossesMiddle = p.Age - delta < p.MiddleAge && p.MiddleAge <= p.Age;

    float pullX = 0.0f;
    float pullY = 0.0f;
    if (pulled) {
      // Unit vector from the anchor to the particle; none when they coincide.
      const float nx0 = p.X - (X + p.AnchorDX);
      const float ny0 = p.Y - (Y + p.AnchorDY);
      const float length = std::sqrt(nx0 * nx0 + ny0 * ny0);
      float nx = 0.0f;
      float ny = 0.0f;
      if (length > 0.0f) {
        nx = nx0 / length;
        ny = ny0 / length;
      }
      pullX = (nx * p.Radial - ny * p.Tangential) * step10;
      pullY = (ny * p.Radial + nx * p.Tangential) * step10;
    }
    p.VX += pullX;
    p.VY += pullY + p.Gravity * step10;
    p.X += p.VX * delta;
    p.Y += p.VY * delta;
    p.Spin += p.SpinSpeed * delta;
    p.Size += p.SizeSpeed * delta;
    p.Pattern += p.PatternSpeed * delta;

    if (crossesMiddle) {
      const float rest = p.Life - p.MiddleAge;
      p.SpinSpeed = SpeedOver(t.SpinEnd, p.Spin, rest);
      p.SizeSpeed = SpeedOver(t.SizeEnd, p.Size, rest);
      for (int c = 0; c < 4; ++c) p.ColorSpeed[c] = SpeedOver(Channel(t.ColorEnd, c), p.Color[c], rest);
    }
    for (int c = 0; c < 4; ++c) p.Color[c] += p.ColorSpeed[c] * delta;
    ClampColor(p.Color);

    if (kept != i) particles_[static_cast<size_t>(kept)] = p;
    ++kept;
  }
  count_ = kept;

  if (emitTimer_ >= 0.0f) {
    emitAccumulator_ += static_cast<float>(t.EmitRate) * delta;
    // Ties go to even, as the current rounding mode does by default.
    const float rounded = std::nearbyint(emitAccumulator_);
    emitAccumulator_ -= rounded;
    const int room = capacity_ - count_;
    const int emit = rounded > 0.0f ? static_cast<int>(std::min(rounded, static_cast<float>(room))) : 0;
    for (int i = 0; i < emit; ++i) Emit();
  }

  prevX_ = X;
  prevY_ = Y;
}

void TXParticleSystem::Draw(TGfxCanvas& canvas, float dx, float dy) const {
  if (count_ == 0 || Image == nullptr) return;
  const int halfW = Image->PatternWidth() / 2;
  const int halfH = Image->PatternHeight() / 2;
  const int effect = template_.Effect;
  const bool newestFirst = template_.DrawNewestFirst != 0;
  for (int n = 0; n < count_; ++n) {
    const TXParticle& p = particles_[static_cast<size_t>(newestFirst ? count_ - 1 - n : n)];
    const float x = p.X + dx;
    const float y = p.Y + dy;
    if (x + halfW < 0.0f || y + halfH < 0.0f || x - halfW > 800.0f || y - halfH > 600.0f) continue;
    // Channels are clamped to 0..255 by Update, so each rounds into its byte.
    const uint32_t color = CanvasColor(static_cast<uint8_t>(std::lrint(p.Color[0])),
                                       static_cast<uint8_t>(std::lrint(p.Color[1])),
                                       static_cast<uint8_t>(std::lrint(p.Color[2])),
                                       static_cast<uint8_t>(std::lrint(p.Color[3])));
    canvas.DrawPatternRotated(Image, SpriteTrunc(p.Pattern), x, y, p.Spin, p.Size, p.Size, false, false,
                              Colors4(color), effect);
  }
}

// ---- TXParticleRef ------------------------------------------------------------------------

void TXParticleRef::MoveTo(float x, float y, bool dragParticles) const {
  if (TXParticleSystem* s = Get()) s->MoveTo(x, y, dragParticles);
}

void TXParticleRef::MoveBy(float dx, float dy, bool dragParticles) const {
  if (TXParticleSystem* s = Get()) s->MoveBy(dx, dy, dragParticles);
}

void TXParticleRef::SetPosition(float x, float y) const {
  if (TXParticleSystem* s = Get()) {
    s->X = x;
    s->Y = y;
  }
}

void TXParticleRef::SetName(const std::string& name) const {
  if (TXParticleSystem* s = Get()) s->Name = name;
}

void TXParticleRef::StopEmitting(bool clearParticles) const {
  if (TXParticleSystem* s = Get()) s->StopEmitting(clearParticles);
}

void TXParticleRef::Draw(TGfxCanvas& canvas, float dx, float dy) const {
  if (TXParticleSystem* s = Get()) s->Draw(canvas, dx, dy);
}

bool TXParticleRef::Emitting() const {
  const TXParticleSystem* s = Get();
  return s != nullptr && s->Emitting();
}

int TXParticleRef::Count() const {
  const TXParticleSystem* s = Get();
  return s != nullptr ? s->Count() : 0;
}

// ---- TXParticleManager --------------------------------------------------------------------

TXParticleManager::~TXParticleManager() { Clear(); }

void TXParticleManager::AddTemplate(std::string_view key, std::span<const uint8_t> bytes) {
  std::string name(key.substr(0, 255));
  for (char& c : name) c = LowerAscii(c);
  templates_.emplace_back(std::move(name), TParticleTemplate::Decode(bytes));
}

const TParticleTemplate* TXParticleManager::FindTemplate(std::string_view name) const {
  for (const auto& [key, value] : templates_) {
    if (SameName(key, name)) return &value;
  }
  return nullptr;
}

int TXParticleManager::LoadFromArchive(TArchiveDb& archive) {
  if (!archive.EnsureOpen()) return 0;
  int loaded = 0;
  // Keys are copied first: every record read re-reads the archive's table.
  std::vector<std::string> keys;
  for (int i = 0; i < archive.RecordCount(); ++i) {
    std::string key = archive.RecordKey(i);
    if (key.size() >= 4 && key.compare(key.size() - 4, 4, ".pss") == 0) keys.push_back(std::move(key));
  }
  for (const std::string& key : keys) {
    TMemoryStream stream;
    const bool read = archive.ReadRecord(key, stream);
    AddTemplate(key, read ? std::span<const uint8_t>(stream.Bytes()) : std::span<const uint8_t>());
    ++loaded;
  }
  return loaded;
}

TXParticleRef TXParticleManager::Spawn(std::string_view name, float x, float y) {
  const TParticleTemplate* found = FindTemplate(name);
  if (found == nullptr || count_ >= kMaxSystems) return {};
  auto system = std::make_unique<TXParticleSystem>(random_, capacity_);
  system->SetTemplate(*found);
  system->Image = Image;
  system->MoveTo(x, y, false);
  system->Start();
  TXParticleSystem* result = system.get();
  systems_[static_cast<size_t>(count_++)] = std::move(system);
  return result;
}

void TXParticleManager::UpdateAll(float delta, bool drawn) {
  int i = 0;
  while (i < count_) {
    TXParticleSystem& system = *systems_[static_cast<size_t>(i)];
    system.Advance(delta, drawn);
    if (!system.Emitting() && system.Count() == 0) {
      std::unique_ptr<TXParticleSystem> finished = std::move(systems_[static_cast<size_t>(i)]);
      systems_[static_cast<size_t>(i)] = std::move(systems_[static_cast<size_t>(count_ - 1)]);
      --count_;
      finished.reset();
    } else {
      ++i;
    }
  }
}

void TXParticleManager::DrawAll(float dx, float dy) const {
  if (Canvas == nullptr) return;
  for (int i = 0; i < count_; ++i) systems_[static_cast<size_t>(i)]->Draw(*Canvas, dx, dy);
}

void TXParticleManager::DrawExcept(std::initializer_list<std::string_view> names, float dx, float dy) const {
  if (Canvas == nullptr) return;
  for (int i = 0; i < count_; ++i) {
    const TXParticleSystem& system = *systems_[static_cast<size_t>(i)];
    if (std::find(names.begin(), names.end(), system.Name) == names.end()) system.Draw(*Canvas, dx, dy);
  }
}

void TXParticleManager::DrawNamed(std::string_view name, float dx, float dy) const {
  if (Canvas == nullptr) return;
  for (int i = 0; i < count_; ++i) {
    const TXParticleSystem& system = *systems_[static_cast<size_t>(i)];
    if (system.Name == name) system.Draw(*Canvas, dx, dy);
  }
}

void TXParticleManager::Clear() {
  for (int i = count_ - 1; i >= 0; --i) systems_[static_cast<size_t>(i)].reset();
  count_ = 0;
}

TXParticleSystem* TXParticleManager::SystemAt(int index) const {
  if (index < 0 || index >= count_) return nullptr;
  return systems_[static_cast<size_t>(index)].get();
}

}  // namespace zb
