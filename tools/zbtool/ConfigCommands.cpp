#include <cstdio>
#include <iostream>
#include <iterator>
#include <span>
#include <string>

#include "persist/Config.h"
#include "tools/zbtool/ConfigListing.h"

namespace zb::tool {

int RunConfig(std::span<char* const> args) {
  if (args.size() != 1) {
    std::fputs("usage: zbtool config FILE\n", stderr);
    return 1;
  }
  // Start-up order: the defaults, then the file over them.
  TSettings settings;
  // A missing file is the first start; one that is there but cannot be read is an error.
  if (const ConfigFileResult read = ReadConfig(settings, args[0]); !read.ok && !read.missing) {
    std::fprintf(stderr, "zbtool config: %s\n", read.error.c_str());
    return 1;
  }
  const std::string listing = ListSettings(settings);
  std::fwrite(listing.data(), 1, listing.size(), stdout);
  return 0;
}

int RunConfigWrite(std::span<char* const> args) {
  if (args.size() != 1) {
    std::fputs("usage: zbtool config-write OUT\n", stderr);
    return 1;
  }
  const std::string listing((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
  TSettings settings;
  std::string error;
  if (!ParseSettingsListing(listing, settings, error)) {
    std::fprintf(stderr, "zbtool config-write: %s\n", error.c_str());
    return 1;
  }
  if (const ConfigFileResult written = WriteConfig(settings, args[0]); !written.ok) {
    std::fprintf(stderr, "zbtool config-write: %s\n", written.error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace zb::tool
