#pragma once

#include <string_view>

namespace zb::tool {

// `zbtool pack --help`: the command and the manifest syntax (assets/README.md says the same).
inline constexpr std::string_view kPackHelp =
    "    Builds the data archive OUT.zbx from the records a manifest lists, in manifest order:\n"
    "    images (type 1, stored as A8R8G8B8), fonts (type 3) and raw records, each zlib-compressed\n"
    "    with the MD5 digest of its bytes. The archive is written only when every record builds.\n"
    "    Manifest lines (fields separated by spaces or tabs; '#' starts a comment; blank lines are\n"
    "    ignored):\n"
    "      include FILE                              the records of another manifest, here, in order\n"
    "      image KEY FILE.png PW PH [VW VH [COUNT]]  a PNG sheet of PW x PH cells, left to right then\n"
    "                                                top to bottom; VW x VH visible, centred in the\n"
    "                                                cell (default: the cell); COUNT patterns\n"
    "                                                (default: every cell). One texture is the whole\n"
    "                                                sheet; a sheet over 2048 pixels is split.\n"
    "      font KEY FONTFILE PIXELSIZE [SPACING]     a TrueType/OpenType font baked at PIXELSIZE for\n"
    "                                                CP1251 codes 32..255, SPACING (default 0) added\n"
    "                                                to every advance; letters and digits must exist\n"
    "      raw KEY TYPE FILE                         the file's bytes as a record of type TYPE\n"
    "                                                (particle templates use type 0)\n"
    "    A FILE is looked up relative to the folder of the manifest that names it, then in each\n"
    "    --root DIR in the order given. Keys are UTF-8 in the manifest and stored as CP1251; two keys\n"
    "    that differ only in the case of A-Z are an error. A missing file or a bad line: exit\n"
    "    status 1 and a message naming it.";

}  // namespace zb::tool
