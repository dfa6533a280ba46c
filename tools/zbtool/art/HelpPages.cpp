// The five help pages "scr_help1" .. "scr_help5" (800 x 600, the picture of the help form, whose buttons sit
// at y 540..580): a board over the menu jungle with the rules, illustrated with the game's own pictures.

#include <string>

#include "tools/zbtool/art/ArtKit.h"

namespace zb::art {
namespace {

void Board(cairo_t* cr, const char* title) {
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
  CenteredText(
      cr, title, 400, 92,
      {.font = "lobster", .size = 46, .fill = pal::kYellow, .outline = pal::kInk, .outlineWidth = 6});
}

void Line(cairo_t* cr, const char* text, double x, double y, double size = 21, Rgb colour = pal::kWhite) {
  LeftText(cr, text, x, y,
           {.font = "comfortaa-bold", .size = size, .fill = colour, .outline = pal::kInk, .outlineWidth = 3});
}

void Controls(cairo_t* cr) {
  Board(cr, "Как играть");
  Line(cr, "Разбей все кирпичи уровня мячом.", 90, 148, 20);
  Line(cr, "Не дай мячу упасть вниз!", 90, 176, 20);
  // Keys and controller buttons side by side, each row one action.
  Line(cr, "Клавиши", 90, 222, 17, pal::kLeafLight);
  Line(cr, "Геймпад", 250, 222, 17, pal::kLeafLight);
  const char* rows[4][3] = {{"←  →", "D-pad, стик", "двигают биту"},
                            {"Пробел", "A", "запуск мяча, бананы"},
                            {"P или F1", "Start", "пауза"},
                            {"Esc", "Back", "выйти в меню"}};
  for (int i = 0; i < 4; ++i) {
    const double y = 258 + i * 34;
    Line(cr, rows[i][0], 90, y, 21, pal::kYellow);
    Line(cr, rows[i][1], 250, y, 21, pal::kYellow);
    Line(cr, rows[i][2], 420, y, 21);
  }
  Line(cr, "В меню кнопку выбирают стрелки, Tab", 90, 410, 17);
  Line(cr, "или D-pad, а жмут Enter или A.", 90, 434, 17);
  Line(cr, "Бита в движении подкручивает мяч.", 90, 482, 18, pal::kLeafLight);
  PaintPicture(cr, "bitka1", 3, 560, 440, 1.6);
  PaintPicture(cr, "m_stay", 0, 579, 403, 1.6);
  PaintPicture(cr, "ball", 0, 656, 427, 1.6);
}

void Bricks(cairo_t* cr) {
  Board(cr, "Кирпичи");
  const char* colours[6] = {"block1", "block2", "block3", "block4", "block5", "block6"};
  for (int i = 0; i < 6; ++i) PaintPicture(cr, colours[i], i, 90 + i * 48, 130, 1.2);
  Line(cr, "Цветные: один удар, 10–40 очков", 400, 152, 18);
  PaintPicture(cr, "block_n2", 0, 90, 200, 1.6);
  PaintPicture(cr, "block_n22", 0, 160, 200, 1.6);
  Line(cr, "Ящик: два удара, 100 очков", 400, 222, 18);
  for (int i = 0; i < 4; ++i) PaintPicture(cr, "block_n5" + std::to_string(i + 1), 0, 90 + i * 64, 270, 1.6);
  Line(cr, "Камень: четыре удара, 150", 400, 292, 18);
  PaintPicture(cr, "gold", 0, 90, 340, 1.6);
  Line(cr, "Золото не разбить", 400, 362, 18);
  PaintPicture(cr, "block1", 0, 90, 410, 1.6);
  PaintPicture(cr, "bomb", 0, 94, 404, 1.6);
  Line(cr, "Бомба взрывает соседей", 400, 432, 18);
  Line(cr, "Большой и огненный мяч бьют сильнее.", 90, 488, 19, pal::kLeafLight);
}

void Bonuses(cairo_t* cr) {
  Board(cr, "Бонусы");
  const char* keys[9] = {"bon_big",       "bon_small", "bon_magnit", "bon_bigball", "bon_3ball",
                         "bon_superball", "bon_banan", "bon_money",  "bon_life"};
  const char* names[9] = {"Большая бита",      "Маленькая бита",    "Магнит: мяч прилипает",
                          "Большой мяч",       "Три мяча",          "Огненный мяч",
                          "Бананы для броска", "Деньги: +50 очков", "Жизнь: +1"};
  for (int i = 0; i < 9; ++i) {
    const double x = 80 + (i % 2) * 340, y = 120 + (i / 2) * 74;
    PaintPicture(cr, keys[i], 0, x, y, 1.3);
    Line(cr, names[i], x + 66, y + 36, 19);
  }
  Line(cr, "Огоньки вокруг значка гаснут, пока идёт время бонуса.", 80, 494, 16, pal::kLeafLight);
}

void Keys(cairo_t* cr) {
  Board(cr, "Ключи и клетки");
  Line(cr, "Последний кирпич уровня роняет часть ключа.", 90, 150, 19);
  PaintPicture(cr, "k2el1", 0, 90, 170, 1.2);
  PaintPicture(cr, "k2el2", 0, 230, 170, 1.2);
  PaintPicture(cr, "k2el3", 0, 370, 170, 1.2);
  Line(cr, "=", 520, 205, 30, pal::kYellow);
  PaintPicture(cr, "k2el5", 0, 560, 170, 1.2);
  Line(cr, "Собери три части, и ключ откроет клетку", 90, 290, 19);
  Line(cr, "на последнем уровне главы.", 90, 318, 19);
  PaintPicture(cr, "cageback", 0, 520, 330, 0.65);
  PaintPicture(cr, "lion", 0, 526, 387, 0.65);
  PaintPicture(cr, "cagefront", 0, 521, 291, 0.65);
  PaintPicture(cr, "cagedoor", 0, 555, 387, 0.65);
  Line(cr, "Освободи панду, льва,", 90, 390, 21, pal::kYellow);
  Line(cr, "бегемота и гориллу!", 90, 422, 21, pal::kYellow);
}

void Story(cairo_t* cr) {
  Board(cr, "Зумбала");
  Line(cr, "Злой охотник поймал зверей джунглей", 90, 150, 20);
  Line(cr, "и запер их в клетки.", 90, 180, 20);
  Line(cr, "Обезьянка Зумбала спешит на помощь:", 90, 220, 20);
  Line(cr, "25 уровней, четыре ключа, четыре клетки.", 90, 250, 20);
  Line(cr, "Лучшие результаты попадут в таблицу рекордов.", 90, 290, 18, pal::kLeafLight);
  PaintPicture(cr, "hunter", 0, 110, 300, 0.7);
  PaintPicture(cr, "monkey", 0, 480, 310, 0.66);
}

}  // namespace

void AddHelpPages(std::vector<Picture>& out) {
  void (*pages[5])(cairo_t*) = {Controls, Bricks, Bonuses, Keys, Story};
  for (int i = 0; i < 5; ++i) {
    out.push_back(
        {"scr_help" + std::to_string(i + 1), 800, 600, 1, [draw = pages[i]](cairo_t* cr, int) { draw(cr); }});
  }
}

}  // namespace zb::art
