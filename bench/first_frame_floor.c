/* The least an SDL program pays for a first frame that shows a picture: SDL's video, an 800 x 600
   window, a renderer (the one SDL_RENDER_DRIVER names), one small texture and one frame that draws
   it blended and is presented; nothing else. Started by bench/real-window.sh under the same probe
   as the game, so that the game's own share of its start-up shows beside it. */
#include <SDL.h>
#include <string.h>

int main(void) {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  const char* driver = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
  const Uint32 flags = driver && strncmp(driver, "opengl", 6) == 0 ? SDL_WINDOW_OPENGL : 0;
  /* As the game does: the software picture goes through shared memory, not an OpenGL texture. */
  if (driver && strcmp(driver, "software") == 0) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_Window* window = SDL_CreateWindow("floor", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 800, 600, flags);
  SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, 0) : NULL;
  if (!renderer) return 1;
  static Uint32 pixels[64 * 64];
  for (int i = 0; i < 64 * 64; ++i) pixels[i] = 0x80FF8040u;
  SDL_Texture* texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, 64, 64);
  if (!texture) return 1;
  SDL_UpdateTexture(texture, NULL, pixels, 64 * 4);
  SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
  const SDL_Rect where = {368, 268, 64, 64};
  SDL_RenderClear(renderer);
  SDL_RenderCopy(renderer, texture, NULL, &where);
  SDL_RenderPresent(renderer);
  SDL_Delay(300);
  SDL_DestroyTexture(texture);
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
