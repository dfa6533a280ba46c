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

struct Server {
  Server() {
    std::string error;
    store = zb::server::ScoreStore::Open(zb::fuzz::TempFolder() / "scores.db", error);
    if (!store) __builtin_trap();
    // No submission limit, so every input reaches the score line.
    service = std::make_unique<zb::server::ScoreService>(*store, zb::server::ServiceOptions{0});
    http = std::make_unique<zb::server::ScoreHttpServer>(*service);
  }
  std::unique_ptr<zb::server::ScoreStore> store;
  std::unique_ptr<zb::server::ScoreService> service;
  std::unique_ptr<zb::server::ScoreHttpServer> http;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Server server;
  server.http->Answer(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
