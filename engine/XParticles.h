#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/ParticleRandom.h"
#include "engine/ParticleTemplate.h"
#include "engine/WeakRef.h"

namespace zb {

class TArchiveDb;
class TGfxCanvas;
class TGfxImage;

// One live particle. Colours run red, green, blue, alpha in 0..255.
struct TXParticle {
  float Pattern, PatternSpeed;
  float X, Y;
  float AnchorDX, AnchorDY;  // system position minus particle position at birth
  float VX, VY;
  float Gravity, Radial, Tangential;
  float Spin, SpinSpeed;
  float Size, SizeSpeed;
  float Color[4];
  float ColorSpeed[4];
  float Age, MiddleAge, Life;
};

// Something with a position that the particle code moves and aims.
class TXObject {
 public:
  virtual ~TXObject() = default;
  virtual void Update(float delta) = 0;
  // Stores and returns the angle of the vector to (x, y), measured like a particle direction:
  // its sine follows the X part and its cosine the Y part.
  virtual float AngleTo(float x, float y);

  std::string Name;  // the game's tag; empty when spawned
  float X = 0.0f;
  float Y = 0.0f;
  float Angle = 0.0f;
};

struct TEmitterPoint {
  int X = 0;
  int Y = 0;
};

// An emitter with its particles, which live packed at the front of one preallocated array.
class TXParticleSystem : public TXObject {
 public:
  // `random` is the seeded generator the systems of one manager share.
  TXParticleSystem(TParticleRandom& random, int capacity);
  TXParticleSystem(const TXParticleSystem&) = delete;
  TXParticleSystem& operator=(const TXParticleSystem&) = delete;

  void Update(float delta) override { Advance(delta, true); }
  // `drawn` false moves on only what decides the system's life (see UpdateAll).
  void Advance(float delta, bool drawn);
  virtual void Draw(TGfxCanvas& canvas, float dx, float dy) const;

  void SetTemplate(const TParticleTemplate& value) { template_ = value; }
  const TParticleTemplate& Template() const { return template_; }

  // Moves the system; `dragParticles` moves its live particles (and the trail start) along.
  void MoveBy(float dx, float dy, bool dragParticles);
  void MoveTo(float x, float y, bool dragParticles) { MoveBy(x - X, y - Y, dragParticles); }
  void Start();
  void StopEmitting(bool clearParticles);
  void AddEmitterPoint(TEmitterPoint point) { emitterPoints_.push_back(point); }
  void ClearEmitterPoints() { emitterPoints_.clear(); }

  bool Emitting() const { return emitTimer_ >= 0.0f; }
  float EmitTimer() const { return emitTimer_; }
  float EmitAccumulator() const { return emitAccumulator_; }
  float PrevX() const { return prevX_; }
  float PrevY() const { return prevY_; }
  int Count() const { return count_; }
  int Capacity() const { return capacity_; }
  // The live particles, oldest first.
  std::span<const TXParticle> Particles() const { return {particles_.get(), static_cast<size_t>(count_)}; }

  const TGfxImage* Image = nullptr;

  const TLifeline<TXParticleSystem>& Lifeline() const { return lifeline_; }

 private:
  void Emit();

  TParticleRandom& random_;
  std::minstd_rand pointChooser_;
  std::unique_ptr<TXParticle[]> particles_;
  int capacity_;
  int count_ = 0;
  TParticleTemplate template_;
  std::vector<TEmitterPoint> emitterPoints_;
  float emitTimer_ = -1.0f;
  float emitAccumulator_ = 0.0f;
  float prevX_ = 0.0f;
  float prevY_ = 0.0f;
  TLifeline<TXParticleSystem> lifeline_{this};
};

// A checked reference to a system the manager owns: it reads as empty once the manager has
// freed the system, and every operation on an empty reference does nothing. What Spawn
// returns, so a failed spawn is safe wherever it is kept.
class TXParticleRef {
 public:
  TXParticleRef() = default;
  TXParticleRef(TXParticleSystem* system) : ref_(system) {}  // NOLINT: implicit like a pointer

  TXParticleSystem* Get() const { return ref_.Get(); }
  bool Alive() const { return ref_.Alive(); }
  explicit operator bool() const { return Alive(); }
  void Reset() { ref_.Reset(); }
  friend bool operator==(const TXParticleRef&, const TXParticleRef&) = default;

  void MoveTo(float x, float y, bool dragParticles) const;
  void MoveBy(float dx, float dy, bool dragParticles) const;
  void SetPosition(float x, float y) const;
  void SetName(const std::string& name) const;
  void StopEmitting(bool clearParticles) const;
  void Draw(TGfxCanvas& canvas, float dx, float dy) const;
  bool Emitting() const;
  int Count() const;

 private:
  TWeakRef<TXParticleSystem, TXParticleSystem> ref_;
};

// Loads the templates once and owns every live system (at most 100).
class TXParticleManager {
 public:
  static constexpr int kMaxSystems = 100;
  static constexpr int kCapacity = 5000;

  // `capacity` is the particles of each system spawned: the game's systems hold kCapacity.
  explicit TXParticleManager(int capacity = kCapacity) : capacity_(capacity) {}
  ~TXParticleManager();
  TXParticleManager(const TXParticleManager&) = delete;
  TXParticleManager& operator=(const TXParticleManager&) = delete;

  // Every record whose key ends in ".pss" becomes a template named by the lower-cased key; a
  // record that cannot be read gives an all-zero template. Returns the number of such records.
  int LoadFromArchive(TArchiveDb& archive);
  // One template from record bytes (the first 136 are used, missing ones are zero).
  void AddTemplate(std::string_view key, std::span<const uint8_t> bytes);
  int TemplateCount() const { return static_cast<int>(templates_.size()); }
  const std::string& TemplateName(int index) const { return templates_.at(static_cast<size_t>(index)).first; }
  const TParticleTemplate* FindTemplate(std::string_view name) const;

  // A started system from the template named `name` (ASCII letters in any case) at (x, y);
  // empty when there is no such template or 100 systems are live.
  TXParticleRef Spawn(std::string_view name, float x, float y);

  // Updates every system and frees those that stopped emitting and have no particles left,
  // filling the slot with the last system of the table.
  // `drawn` false: only the particles' ages move on, which is all that decides how long a system
  // lives; their places, sizes and colours are only ever drawn.
  void UpdateAll(float delta, bool drawn = true);
  void DrawAll(float dx, float dy) const;
  // Draws, in table order, the systems whose Name is none of `names` / is `name`.
  void DrawExcept(std::initializer_list<std::string_view> names, float dx, float dy) const;
  void DrawNamed(std::string_view name, float dx, float dy) const;
  // Frees every system, as destroying the manager does; the templates stay.
  void Clear();
  int Count() const { return count_; }
  TXParticleSystem* SystemAt(int index) const;

  TGfxCanvas* Canvas = nullptr;
  const TGfxImage* Image = nullptr;

  TParticleRandom& Random() { return random_; }

 private:
  std::vector<std::pair<std::string, TParticleTemplate>> templates_;
  std::array<std::unique_ptr<TXParticleSystem>, kMaxSystems> systems_;
  int count_ = 0;
  int capacity_;
  TParticleRandom random_;
};

}  // namespace zb
