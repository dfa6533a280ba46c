// Arbitrary bytes as one HTTP request to the score server, answered from memory through the
// server's own routes: the request parsing, the query, the score line, the store, and a replay's
// upload to the one row stored with the token "fuzz-row" (taken and given back: the queue takes
// nothing, so nothing is read or played here; fuzz_ReplayFile reads replays).
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "fuzz/FuzzFile.h"
#include "server/ReplayVerifier.h"
#include "server/ScoreHttpServer.h"
#include "server/ScoreService.h"
#include "server/ScoreStore.h"

namespace {

zb::server::ScoreStore& Store() {
  static const std::unique_ptr<zb::server::ScoreStore> store = [] {
    std::string error;
    auto opened = zb::server::ScoreStore::Open(zb::fuzz::TempFolder() / "scores.db", error);
    if (!opened) __builtin_trap();
    zb::server::StoredScore row{0, "Bot", "Earth", 20, 1};  // the game of the corpus replay
    row.token = "fuzz-row";
    if (!opened->Add(row, error)) __builtin_trap();
    return opened;
  }();
  return *store;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A service of its own for each input: the tokens it hands out go with it, so what one input
  // keeps is not taken for a leak of the next. No submission limit: every input reaches the line.
  zb::server::VerifierOptions queue;
  queue.queueCapacity = 0;
  queue.log = [](const std::string&) {};
  zb::server::ReplayVerifier verifier(Store(), [](const zb::TReplay&) { return zb::server::ReplayCheckResult{}; },
                                      queue);
  zb::server::ServiceOptions options{0};
  options.verifier = &verifier;
  options.log = [](const std::string&) {};
  zb::server::ScoreService service(Store(), options);
  zb::server::ScoreHttpServer http(service);
  http.Answer(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
