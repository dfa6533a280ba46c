#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "server/ScoreStore.h"

namespace zb::server {

// Text made safe for HTML element content and attribute values.
std::string EscapeHtml(std::string_view text);

// The public page of one difficulty's best scores, in UTF-8, with links to the other two.
std::string ScorePageHtml(int difficulty, const std::vector<StoredScore>& rows);

}  // namespace zb::server
