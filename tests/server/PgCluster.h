#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace zb::server::testing {

// A PostgreSQL server of the test binary's own: initdb into a temporary folder, listening only on
// a Unix socket in that folder, started on first use and stopped when the binary ends. As root
// it runs as "nobody", since PostgreSQL refuses to run as root. Missing binaries fail the test:
// a store left untested must not pass as tested.
class PgCluster {
 public:
  static PgCluster& Get() {
    static PgCluster cluster;
    return cluster;
  }
  ~PgCluster() {
    Stop();
    if (!folder_.empty()) std::filesystem::remove_all(folder_);
  }

  bool Ok() const { return ok_; }
  const std::string& Why() const { return why_; }

  // A URL of a new, empty database.
  std::string NewDatabase() {
    const std::string name = "zb" + std::to_string(::getpid()) + "_" + std::to_string(++databases_);
    Run(Client("createdb") + " -h " + folder_.string() + " -U postgres " + name);
    return "postgresql://postgres@/" + name + "?host=" + folder_.string();
  }
  bool Stop() { return !started_ || (Run(As(Bin("pg_ctl") + " -D " + Data() + " -m fast -w stop")) && !(started_ = false)); }
  bool Start() {
    started_ = Run(As(Bin("pg_ctl") + " -D " + Data() + " -l " + (folder_ / "log").string() +
                      " -o \"-k " + folder_.string() + " -c listen_addresses='' -F\" -w start"));
    return started_;
  }

 private:
  PgCluster() {
    for (const auto& version : {"17", "16", "15", "14", "13"}) {
      const std::filesystem::path candidate = std::filesystem::path("/usr/lib/postgresql") / version / "bin";
      if (std::filesystem::exists(candidate / "initdb")) {
        bin_ = candidate;
        break;
      }
    }
    if (bin_.empty()) {
      why_ = "PostgreSQL's server programs are missing (scripts/install-deps.sh installs the postgresql package)";
      return;
    }
    folder_ = std::filesystem::temp_directory_path() / ("zb-pg-" + std::to_string(::getpid()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    if (::geteuid() == 0) Run("chown nobody " + folder_.string());
    if (!Run(As(Bin("initdb") + " -D " + Data() + " -U postgres -A trust -E UTF8 --no-sync >/dev/null")) || !Start()) {
      why_ = "the test's PostgreSQL did not start; see " + (folder_ / "log").string();
      return;
    }
    ok_ = true;
  }

  static bool Run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }
  std::string Bin(const char* program) const { return (bin_ / program).string(); }
  std::string Client(const char* program) const { return Bin(program); }
  std::string Data() const { return (folder_ / "data").string(); }
  static std::string As(const std::string& command) {
    return ::geteuid() == 0 ? "runuser -u nobody -- " + command : command;
  }

  std::filesystem::path bin_;
  std::filesystem::path folder_;
  bool ok_ = false;
  bool started_ = false;
  std::string why_;
  std::atomic<int> databases_{0};
};

// The name of a new, empty database of a store kind, "sqlite" (a file in `folder`) or "postgresql".
inline std::string NewStore(const std::string& kind, const std::filesystem::path& folder) {
  if (kind == "sqlite") return (folder / "scores.db").string();
  PgCluster& cluster = PgCluster::Get();
  EXPECT_TRUE(cluster.Ok()) << cluster.Why();
  return cluster.Ok() ? cluster.NewDatabase() : std::string();
}

}  // namespace zb::server::testing
