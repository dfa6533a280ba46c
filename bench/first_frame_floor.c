/* The least any SDL program pays for its first frame: SDL's video, an 800 x 600 window, a renderer
   (the one SDL_RENDER_DRIVER names) and one cleared frame presented, and nothing else. Started by
   bench/real-window.sh under the same probe as the game, so that the game's own share of its
   start-up shows beside it. */
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
  SDL_RenderClear(renderer);
  SDL_RenderPresent(renderer);
  SDL_Delay(300);
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
