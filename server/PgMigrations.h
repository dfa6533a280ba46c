#pragma once

#include <libpq-fe.h>

#include <string>

namespace zb::server {

// Brings the schema of the database up to the newest version, one migration a transaction;
// instances starting together take turns. False, with the reason in `error`, on failure.
bool MigratePg(PGconn* db, std::string& error);

}  // namespace zb::server
