#include "tools/zbtool/Commands.h"

#include <array>

#include "tools/zbtool/art/ArtCommand.h"
#include "tools/zbtool/pack/PackHelp.h"

namespace zb::tool {

// Each subcommand lives in its own file; add its declaration and one row here.
int RunConfig(std::span<char* const> args);
int RunConfigWrite(std::span<char* const> args);

int RunSheet(std::span<char* const> args);
int RunPack(std::span<char* const> args);
int RunList(std::span<char* const> args);
int RunExport(std::span<char* const> args);
int RunRecord(std::span<char* const> args);

int RunLevel(std::span<char* const> args);
int RunLevelCompile(std::span<char* const> args);
int RunLevelSet(std::span<char* const> args);

int RunStory(std::span<char* const> args);
int RunStoryCompile(std::span<char* const> args);

int RunGui(std::span<char* const> args);
int RunGuiCompile(std::span<char* const> args);
int RunLangCheck(std::span<char* const> args);

int RunShare(std::span<char* const> args);

int RunSounds(std::span<char* const> args);
int RunMusic(std::span<char* const> args);

int RunParticleCompile(std::span<char* const> args);
int RunParticleArt(std::span<char* const> args);
int RunSimulate(std::span<char* const> args);
int RunPreview(std::span<char* const> args);

std::span<const Command> Commands() {
  static constexpr std::array kCommands = {
      Command{"config", "config FILE",
              "    Prints the settings that the first-run defaults and then FILE (a \"Config.cfg\") give,\n"
              "    one per line, texts as raw CP1251 bytes, in this order: FullScreen=true|false,\n"
              "    Antialias=true|false, MusicVolume=N, FxVolume=N, PlayerCountry=T, PlayerName=T, thirty\n"
              "    lines HighScore.D.R=NAME|SCORE (difficulty D 0..2, row R 0..9), PlayerCount=N,\n"
              "    CurrentPlayer=N, Player.I=T for each player, KeyCount=N, Key.I=N for each binding.\n"
              "    Values the file lacks or that cannot be used keep their defaults; a missing FILE\n"
              "    gives the defaults alone.",
              RunConfig},
      Command{"config-write", "config-write OUT",
              "    Reads settings in the form `zbtool config` prints from standard input and writes OUT\n"
              "    exactly as the game writes \"Config.cfg\" for them. Settings not given keep their\n"
              "    defaults; a line with an unknown name or an unfit value is an error (exit status 1).",
              RunConfigWrite},
      Command{"level", "level FILE",
              "    Loads a level file into a zeroed level image as the game does and prints\n"
              "    \"LastColumn LastRow OffsetX OffsetY LevelWord4\" on the first line, then one line per\n"
              "    row r = 0..LastRow with the BlockGrid values of columns 0..LastColumn separated by single\n"
              "    spaces. A file the game would refuse: exit status 1 and a message on standard error.",
              RunLevel},
      Command{"level-compile", "level-compile SOURCE.txt OUT",
              "    Compiles a level written as text (see assets/levels/README.md) into a level file.\n"
              "    Exit status 1 with the line and the reason for a source that does not compile.",
              RunLevelCompile},
      Command{"levelset", "levelset pack DIR OUT.zlv | levelset unpack FILE.zlv DIR",
              "    pack: puts the files of the level set folder DIR into the one file OUT.zlv (laid out in\n"
              "    docs/levelset-format.md). unpack: writes the files of FILE.zlv into DIR (made when\n"
              "    missing), byte for byte as they were packed; a file already in DIR is never written over.\n"
              "    Exit status 1 and the reason on standard error for a folder, file or archive that fails.",
              RunLevelSet},
      Command{"story", "story [PATH]",
              "    Loads the story file PATH (default: \"Data/story.txt\" of the built game folder) as the\n"
              "    game does and prints its 27 lines in order: per line a header\n"
              "    \"line=N scene=S speaker=monkey|hunter rows=R offset=O\", then its R rows, one per line,\n"
              "    as raw CP1251 bytes. A file the game would refuse: exit status 1 and a message on\n"
              "    standard error.",
              RunStory},
      Command{"story-compile", "story-compile SOURCE.txt OUT",
              "    Converts the story written as UTF-8 text (assets/story/story.txt) to CP1251, checks that\n"
              "    the game can load it, and writes it to OUT in the form `zbtool story` prints. Exit\n"
              "    status 1 with the line and the reason for a source that does not compile.",
              RunStoryCompile},
      Command{"particle", "particle SOURCE.txt OUT.pss",
              "    Compiles a particle template written as text (one \"Field = value\" line per field of the\n"
              "    136-byte record; see assets/particles/README.md) into the record's bytes.\n"
              "    Exit status 1 with the line and the reason for a source that does not compile.",
              RunParticleCompile},
      Command{"particle-art", "particle-art OUT.png",
              "    Draws the image \"particles\": 16 patterns of 64 x 64 (glow, spark, sparkle, star, leaf,\n"
              "    drop, ring, smoke, streak, flame, heart, snowflake, bubble, chip, coin, shard, row by\n"
              "    row) in white and grey on transparent, as a 256 x 256 PNG.",
              RunParticleArt},
      Command{"simulate", "simulate ARCHIVE NAME STEPS DELTA",
              "    Loads the particle templates of ARCHIVE, spawns template NAME at (400, 300) in a fresh\n"
              "    manager and calls UpdateAll(DELTA) STEPS times; after each call prints\n"
              "    \"step count x y\": the step from 1, the system's live particle count and the position of\n"
              "    its first live particle with three decimals (\"- -\" when it has none; \"gone\" instead of\n"
              "    the count once the manager has freed the system).",
              RunSimulate},
      Command{"preview", "preview ARCHIVE NAME STEPS DELTA OUT.png",
              "    As simulate, then draws the system with the image \"particles\" of ARCHIVE through the\n"
              "    canvas on the headless renderer, on black, into an 800 x 600 PNG.",
              RunPreview},
      Command{"pack", "pack MANIFEST OUT.zbx [--root DIR]...", kPackHelp, RunPack},
      Command{"list", "list ARCHIVE",
              "    One line per record of a data archive, in table order, fields separated by tabs: index,\n"
              "    key (its raw CP1251 bytes), type, unpacked size, stored size, the stored MD5 digest as 32\n"
              "    lower-case hex digits, and \"ok\" or \"bad\" (whether the record reads, inflates to its\n"
              "    size and matches its digest). Exit status 0 when the table reads, 1 with a message on\n"
              "    standard error otherwise.",
              RunList},
      Command{"export", "export ARCHIVE KEY PATTERN OUT.png",
              "    Writes the visible area of pattern PATTERN (0 = the first) of the image record KEY, or\n"
              "    of the glyph image of the font record KEY (glyph i is character 32 + i), as an 8-bit\n"
              "    RGBA PNG with the colours as the game loads them. Exit status 1 with a message when the\n"
              "    record is missing, bad, not an image or font, or has no such pattern.",
              RunExport},
      Command{"record", "record ARCHIVE KEY OUT",
              "    Writes the bytes of the record KEY as the game reads them (inflated and checked) to\n"
              "    OUT, for the fuzz corpus and for looking inside a record. Exit status 1 with a message\n"
              "    when the archive or the record cannot be read.",
              RunRecord},
      Command{"art", "art OUTDIR [IMAGE...] | art --list",
              "    Draws every picture of the game (or only the named ones) as a PNG sprite sheet\n"
              "    OUTDIR/IMAGE.png: cells left to right, then top to bottom, as assets/art/images.manifest\n"
              "    lists them. Prints how many images it wrote. --list prints the manifest line of every\n"
              "    picture it draws instead.",
              RunArt},
      Command{"gui", "gui FILE",
              "    Loads the GUI file FILE into an empty root as the game does and prints one line per\n"
              "    created control in pre-order: depth (0 for children of the root), TypeName, Name, Left,\n"
              "    Top, Width, Height, Visible and Enabled as 0 or 1, separated by single spaces.\n"
              "    A load that fails prints what was created, then a message on standard error, and\n"
              "    exits with status 1.",
              RunGui},
      Command{"lang-check", "lang-check CATALOGUE.mo [--strict] [--gui FILE...] [--story FILE] [--code FILE...]",
              "    Lists every text a player sees (the captions and labels of GUI layouts, the story lines,\n"
              "    the Russian string literals of C++ code) that the compiled catalogue does not translate,\n"
              "    and every translation with characters the game's fonts lack. With --strict either is an\n"
              "    error (exit status 1); without, the list is a report and a missing text stays Russian.",
              RunLangCheck},
      Command{"gui-compile", "gui-compile OUT MANIFEST SOURCE... [--fonts ARCHIVE]... [--lang CATALOGUE.mo]...",
              "    Compiles GUI layouts written as text (assets/gui/README.md) into the GUI file OUT,\n"
              "    the top-level controls of the SOURCEs in order. Pictures named \"@key\" become their\n"
              "    index in the image manifest MANIFEST; an unknown key, class, property or value is an\n"
              "    error naming the file and line (exit status 1). With the fonts of the ARCHIVEs (the\n"
              "    game's font list, in load order) every text is measured: a control outside its form or\n"
              "    a text that does not fit its control is an error naming the file, line and control;\n"
              "    each CATALOGUE's translations are measured the same way.",
              RunGuiCompile},
      Command{"sheet", "sheet ARCHIVE OUT.png",
              "    Draws a contact sheet of every image record of ARCHIVE with the game's image loader and\n"
              "    canvas on the headless renderer: per image a caption (name, pattern size and count, or\n"
              "    \"unreadable\") and its patterns in a row over a checkerboard. Prints the image count and\n"
              "    the sheet's size; exit status 1 when the archive cannot be read or holds no images.",
              RunSheet},
      Command{"share", "share FILE [--draw OUT.png [--tenths N] [--pointer X,Y]]",
              "    Loads the share page FILE (a \"wdata/config.ini\") as the game does, its file names\n"
              "    resolved in the folder above FILE's folder, and prints active=true|false; when active\n"
              "    also background=NAME, countdown=N (tenths), countdown_at=X,Y, colour=$AARRGGBB,\n"
              "    fixed_text_size=true|false, text_size=N when fixed, and one line per button in file\n"
              "    order: button=I target=T hover_at=X,Y hit=L,T,W,H disabled_at=X,Y normal=F hover=F\n"
              "    disabled=F enabled=true|false. --draw also draws the page with the fonts of the game\n"
              "    folder's archives into an 800 x 600 PNG, the countdown at N tenths (default: the page's)\n"
              "    and the pointer at X,Y (default: off the page).",
              RunShare},
      Command{"share-art", "share-art OUTDIR",
              "    Draws the pictures of the game's own share page (the background and the button states\n"
              "    that assets/wdata/config.ini names) as PNGs into OUTDIR and prints how many it wrote.",
              RunShareArt},
      Command{"icon", "icon OUTDIR NAME",
              "    Draws the application icon as OUTDIR/NAME-48.png, NAME-128.png and NAME-256.png and as\n"
              "    the scalable OUTDIR/NAME.svg, and prints one line naming them.",
              RunIcon},
      Command{"sounds", "sounds OUTDIR",
              "    Synthesises the 22 effects of the game into OUTDIR/<name>.wav (PCM, 16-bit, mono,\n"
              "    44100 Hz) and prints one line per effect: its name, length in seconds, and peak and\n"
              "    RMS level in dBFS.",
              RunSounds},
      Command{"music", "music OUTDIR",
              "    Writes the three songs as FastTracker 2 modules OUTDIR/1.xm (menu), 2.xm (play) and\n"
              "    3.xm (final) with their synthesised instruments, and prints one line per song: file,\n"
              "    title, orders, patterns, instruments, playing time before it loops, and size.",
              RunMusic},
  };
  return kCommands;
}

}  // namespace zb::tool
