#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "server/ScoreHttpServer.h"
#include "server/ScoreService.h"
#include "server/ScoreStore.h"

namespace zb::server::testing {

// A server on a free port of 127.0.0.1 over a new SQLite file, for tests of what lies in front of
// the store.
class SqliteServerFixture : public ::testing::Test {
 protected:
  void Serve(ConnectionLimits limits) {
    folder_ = std::filesystem::temp_directory_path() /
              ("zb-front-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    std::string error;
    store_ = ScoreStore::Open(folder_ / "scores.db", error);
    ASSERT_TRUE(store_) << error;
    service_ = std::make_unique<ScoreService>(*store_);
    server_ = std::make_unique<ScoreHttpServer>(*service_, limits);
    port_ = server_->BindAnyPort("127.0.0.1");
    ASSERT_GT(port_, 0);
    ASSERT_TRUE(server_->Start());
  }
  void TearDown() override {
    server_.reset();
    service_.reset();
    store_.reset();
    std::filesystem::remove_all(folder_);
  }

  std::filesystem::path folder_;
  std::unique_ptr<ScoreStore> store_;
  std::unique_ptr<ScoreService> service_;
  std::unique_ptr<ScoreHttpServer> server_;
  int port_ = -1;
};

}  // namespace zb::server::testing
