// The five help pages "scr_help1" .. "scr_help5" (800 x 600, the picture of the help form, whose buttons sit
// at y 540..580): a board over the menu jungle with the rules, illustrated with the game's own pictures.

#include <string>

#include "tools/zbtool/art/ArtKit.h"

namespace zb::art {
namespace {

// The board's inner edge less a margin: no text reaches further right.
constexpr double kBoardRight = 736;

// A help page being drawn, or only measured (no context): its texts are kept with the room they have.
class Page {
 public:
  Page(cairo_t* cr, const Words& words) : cr_(cr), words_(words) {}

  void Title(const char* russian) {
    Keep({words_(russian),
          {.font = "lobster", .size = 46, .fill = pal::kYellow, .outline = pal::kInk, .outlineWidth = 6},
          400, 92, kBoardRight, true});
  }
  void Line(const char* russian, double x, double y, double size = 21, Rgb colour = pal::kWhite,
            double right = kBoardRight) {
    Keep({words_(russian),
          {.font = "comfortaa-bold", .size = size, .fill = colour, .outline = pal::kInk, .outlineWidth = 3}, x, y,
          right, false});
  }
  void Paint(const std::string& key, int frame, double x, double y, double scale) {
    if (cr_) PaintPicture(cr_, key, frame, x, y, scale);
  }
  std::vector<HelpText> Texts() { return std::move(texts_); }

 private:
  void Keep(HelpText text) {
    if (cr_) {
      if (text.centred) {
        CenteredText(cr_, text.text, text.x, text.baseline, text.style);
      } else {
        LeftText(cr_, text.text, text.x, text.baseline, text.style);
      }
    }
    texts_.push_back(std::move(text));
  }

  cairo_t* cr_;
  const Words& words_;
  std::vector<HelpText> texts_;
};

void Board(cairo_t* cr) {
  PaintPicture(cr, "back", 0, 0, 0);
  cairo_rectangle(cr, 0, 0, 800, 600);
  SetColor(cr, pal::kLeafDeep, 0.35);
  cairo_fill(cr);
  RoundedRect(cr, 40, 24, 720, 500, 24);
  FillVertical(cr, 24, 524, pal::kWood, pal::kWoodDark);
  Outline(cr, 3.0);
  RoundedRect(cr, 54, 38, 692, 472, 18);
  FillVertical(cr, 38, 510, Darker(pal::kPanelDark, 0.2), Lighter(pal::kPanelDark, 0.1), 0.92);
  Outline(cr, 2.0);
}

void Controls(Page& page) {
  page.Title("Как играть");
  page.Line("Разбей все кирпичи уровня мячом.", 90, 148, 20);
  page.Line("Не дай мячу упасть вниз!", 90, 176, 20);
  // Keys and controller buttons side by side, each row one action.
  page.Line("Клавиши", 90, 222, 17, pal::kLeafLight, 240);
  page.Line("Геймпад", 250, 222, 17, pal::kLeafLight, 410);
  const char* rows[4][3] = {{"←  →", "D-pad, стик", "двигают биту"},
                            {"Пробел", "A", "запуск мяча, бананы"},
                            {"P или F1", "Start", "пауза"},
                            {"Esc", "Back", "выйти в меню"}};
  for (int i = 0; i < 4; ++i) {
    const double y = 258 + i * 34;
    page.Line(rows[i][0], 90, y, 21, pal::kYellow, 240);
    page.Line(rows[i][1], 250, y, 21, pal::kYellow, 410);
    page.Line(rows[i][2], 420, y, 21);
  }
  page.Line("В меню кнопку выбирают стрелки, Tab", 90, 410, 17);
  page.Line("или D-pad, а жмут Enter или A.", 90, 434, 17);
  // The bat and the monkey stand at the right of the last row.
  page.Line("Бита в движении подкручивает мяч.", 90, 482, 18, pal::kLeafLight, 550);
  page.Paint("bitka1", 3, 560, 440, 1.6);
  page.Paint("m_stay", 0, 579, 403, 1.6);
  page.Paint("ball", 0, 656, 427, 1.6);
}

void Bricks(Page& page) {
  page.Title("Кирпичи");
  const char* colours[6] = {"block1", "block2", "block3", "block4", "block5", "block6"};
  for (int i = 0; i < 6; ++i) page.Paint(colours[i], i, 90 + i * 48, 130, 1.2);
  page.Line("Цветные: один удар, 10–40 очков", 400, 152, 18);
  page.Paint("block_n2", 0, 90, 200, 1.6);
  page.Paint("block_n22", 0, 160, 200, 1.6);
  page.Line("Ящик: два удара, 100 очков", 400, 222, 18);
  for (int i = 0; i < 4; ++i) page.Paint("block_n5" + std::to_string(i + 1), 0, 90 + i * 64, 270, 1.6);
  page.Line("Камень: четыре удара, 150", 400, 292, 18);
  page.Paint("gold", 0, 90, 340, 1.6);
  page.Line("Золото не разбить", 400, 362, 18);
  page.Paint("block1", 0, 90, 410, 1.6);
  page.Paint("bomb", 0, 94, 404, 1.6);
  page.Line("Бомба взрывает соседей", 400, 432, 18);
  page.Line("Большой и огненный мяч бьют сильнее.", 90, 488, 19, pal::kLeafLight);
}

void Bonuses(Page& page) {
  page.Title("Бонусы");
  const char* keys[9] = {"bon_big",       "bon_small", "bon_magnit", "bon_bigball", "bon_3ball",
                         "bon_superball", "bon_banan", "bon_money",  "bon_life"};
  const char* names[9] = {"Большая бита",      "Маленькая бита",    "Магнит: мяч прилипает",
                          "Большой мяч",       "Три мяча",          "Огненный мяч",
                          "Бананы для броска", "Деньги: +50 очков", "Жизнь: +1"};
  for (int i = 0; i < 9; ++i) {
    const double x = 80 + (i % 2) * 340, y = 120 + (i / 2) * 74;
    page.Paint(keys[i], 0, x, y, 1.3);
    // The left column ends where the right column's icons begin.
    page.Line(names[i], x + 66, y + 36, 19, pal::kWhite, i % 2 ? kBoardRight : 410);
  }
  page.Line("Огоньки вокруг значка гаснут, пока идёт время бонуса.", 80, 494, 16, pal::kLeafLight);
}

void Keys(Page& page) {
  page.Title("Ключи и клетки");
  page.Line("Последний кирпич уровня роняет часть ключа.", 90, 150, 19);
  page.Paint("k2el1", 0, 90, 170, 1.2);
  page.Paint("k2el2", 0, 230, 170, 1.2);
  page.Paint("k2el3", 0, 370, 170, 1.2);
  page.Line("=", 520, 205, 30, pal::kYellow);
  page.Paint("k2el5", 0, 560, 170, 1.2);
  // Below y 291 the cage stands at the right, from x 520.
  page.Line("Собери три части, и ключ откроет клетку", 90, 290, 19);
  page.Line("на последнем уровне главы.", 90, 318, 19, pal::kWhite, 515);
  page.Paint("cageback", 0, 520, 330, 0.65);
  page.Paint("lion", 0, 526, 387, 0.65);
  page.Paint("cagefront", 0, 521, 291, 0.65);
  page.Paint("cagedoor", 0, 555, 387, 0.65);
  page.Line("Освободи панду, льва,", 90, 390, 21, pal::kYellow, 515);
  page.Line("бегемота и гориллу!", 90, 422, 21, pal::kYellow, 515);
}

void Story(Page& page) {
  page.Title("Зумбала");
  page.Line("Злой охотник поймал зверей джунглей", 90, 150, 20);
  page.Line("и запер их в клетки.", 90, 180, 20);
  page.Line("Обезьянка Зумбала спешит на помощь:", 90, 220, 20);
  page.Line("25 уровней, четыре ключа, четыре клетки.", 90, 250, 20);
  page.Line("Лучшие результаты попадут в таблицу рекордов.", 90, 290, 18, pal::kLeafLight);
  page.Paint("hunter", 0, 110, 300, 0.7);
  page.Paint("monkey", 0, 480, 310, 0.66);
}

constexpr void (*kPages[5])(Page&) = {Controls, Bricks, Bonuses, Keys, Story};

}  // namespace

std::vector<HelpText> HelpPageTexts(int page, const Words& words) {
  if (page < 0 || page >= 5) return {};
  Page measured(nullptr, words);
  kPages[page](measured);
  return measured.Texts();
}

void AddHelpPages(std::vector<Picture>& out, const Words& words) {
  for (int i = 0; i < 5; ++i) {
    out.push_back({"scr_help" + std::to_string(i + 1), 800, 600, 1,
                   [fill = kPages[i], words](cairo_t* cr, int) {
                     Board(cr);
                     Page page(cr, words);
                     fill(page);
                   },
                   true});
  }
}

}  // namespace zb::art
