#include "server/ReplayVerifier.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <exception>

#include "server/ScoreService.h"

namespace zb::server {

std::string ReplayDiffers(const StoredScore& row, const TReplay& replay) {
  if (replay.Difficulty != row.difficulty) return "the replay is of another difficulty than its score";
  if (replay.Name.substr(0, kMaxNameBytes) != row.name) return "the replay is of another player than its score";
  if (replay.FinalScore != row.score) {
    return "the replay claims " + std::to_string(replay.FinalScore) + " points, its score is " +
           std::to_string(row.score);
  }
  return {};
}

ReplayVerifier::ReplayVerifier(ScoreStore& store, ReplayChecker check, VerifierOptions options)
    : store_(store), check_(std::move(check)), options_(std::move(options)) {}

ReplayVerifier::~ReplayVerifier() {
  std::deque<Job> left;
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    left.swap(queue_);
  }
  wake_.notify_all();
  for (std::thread& thread : threads_) thread.join();
  for (const Job& job : left) GiveBack(job.rowId);
}

void ReplayVerifier::Start() {
  std::lock_guard lock(mutex_);
  if (!threads_.empty() || stopping_) return;
  for (int i = 0; i < std::max(1, options_.threads); ++i) threads_.emplace_back([this] { Work(); });
}

bool ReplayVerifier::Enqueue(int64_t rowId, StoredScore row, std::string bytes) {
  {
    std::lock_guard lock(mutex_);
    if (stopping_ || queue_.size() >= options_.queueCapacity) return false;
    queue_.push_back({rowId, std::move(row), std::move(bytes)});
  }
  wake_.notify_one();
  return true;
}

void ReplayVerifier::WaitIdle() {
  std::unique_lock lock(mutex_);
  idle_.wait(lock, [&] { return (queue_.empty() || threads_.empty()) && busy_ == 0; });
}

ReplayVerifier::Counts ReplayVerifier::Done() {
  std::lock_guard lock(mutex_);
  return done_;
}

void ReplayVerifier::Work() {
  // A replay plays for seconds; the threads answering requests go first.
  ::setpriority(PRIO_PROCESS, static_cast<id_t>(::syscall(SYS_gettid)), 10);
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
    if (stopping_) return;
    Job job = std::move(queue_.front());
    queue_.pop_front();
    ++busy_;
    lock.unlock();
    Settle(job);
    lock.lock();
    --busy_;
    if (queue_.empty() && busy_ == 0) idle_.notify_all();
  }
}

std::string ReplayVerifier::Verdict(const Job& job) {
  const TReplayReadResult read = DecodeReplay(job.bytes);
  // Nothing was played: the row may still take the replay of its own game.
  if (!read.Replay) {
    GiveBack(job.rowId);
    return "not a replay: " + read.Error;
  }
  if (std::string differs = ReplayDiffers(job.row, *read.Replay); !differs.empty()) {
    GiveBack(job.rowId);
    return differs;
  }
  ReplayCheckResult result;
  try {
    result = check_(*read.Replay);
  } catch (const std::exception& e) {
    result = {false, std::string("the replay could not be played: ") + e.what()};
  } catch (...) {
    result = {false, "the replay could not be played"};
  }
  if (!result.verified) return result.reason;
  std::string error;
  return store_.MarkVerified(job.rowId, error) ? std::string() : error;
}

void ReplayVerifier::Settle(const Job& job) {
  const std::string why = Verdict(job);
  {
    std::lock_guard lock(mutex_);
    ++(why.empty() ? done_.verified : done_.refused);
  }
  if (!why.empty()) Log("the replay of score " + std::to_string(job.rowId) + " is not verified: " + why);
}

void ReplayVerifier::GiveBack(int64_t rowId) {
  std::string error;
  if (!store_.ReleaseReplay(rowId, error)) Log(error);
}

void ReplayVerifier::Log(const std::string& message) const {
  if (options_.log) options_.log(message);
  else std::fprintf(stderr, "zumbala-scores: %s\n", message.c_str());
}

}  // namespace zb::server
