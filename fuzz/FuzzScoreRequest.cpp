// Arbitrary bytes as one HTTP request to the score server, answered from memory through the
// server's own routes: the request parsing, the query, the score line and the store.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "fuzz/FuzzFile.h"
#include "server/ScoreHttpServer.h"
#include "server/ScoreService.h"
#include "server/ScoreStore.h"

namespace {

zb::server::ScoreStore& Store() {
  static const std::unique_ptr<zb::server::ScoreStore> store = [] {
    std::string error;
    auto opened = zb::server::ScoreStore::Open(zb::fuzz::TempFolder() / "scores.db", error);
    if (!opened) __builtin_trap();
    return opened;
  }();
  return *store;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A service of its own for each input: the tokens it hands out go with it, so what one input
  // keeps is not taken for a leak of the next. No submission limit: every input reaches the line.
  zb::server::ScoreService service(Store(), zb::server::ServiceOptions{0});
  zb::server::ScoreHttpServer http(service);
  http.Answer(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
