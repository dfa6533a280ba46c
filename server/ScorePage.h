#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "server/ScoreStore.h"

namespace zb::server {

// Text made safe for HTML element content and attribute values.
std::string EscapeHtml(std::string_view text);

struct PageView {
  bool verifiedOnly = false;  // the rows are the verified ones alone
  bool allShown = true;       // the server also shows unverified rows (then the page links both views)
};

// The public page of one difficulty's best scores, in UTF-8, with links to the other two and to
// the other view; verified rows are marked.
std::string ScorePageHtml(int difficulty, const std::vector<StoredScore>& rows, PageView view = {});

}  // namespace zb::server
