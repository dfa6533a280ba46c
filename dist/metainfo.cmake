# Writes the AppStream metadata from its template:
#   cmake -DIN=<template> -DOUT=<file> [-DWEB_URL=https://...] -P metainfo.cmake
# The homepage and the screenshots need the address where the game's pages are published (its
# screenshots/ folder holds the pictures of docs/). Without one they are left out rather than
# pointing at an address that does not answer.
file(READ "${IN}" text)
string(REGEX REPLACE "/+$" "" WEB_URL "${WEB_URL}")
if(WEB_URL)
  string(REGEX REPLACE "[ ]*<!-- /?web -->\n" "" text "${text}")
else()
  string(REGEX REPLACE "[ ]*<!-- web -->\n.*<!-- /web -->\n" "" text "${text}")
endif()
string(CONFIGURE "${text}" text @ONLY)
file(WRITE "${OUT}.tmp" "${text}")
file(RENAME "${OUT}.tmp" "${OUT}")
