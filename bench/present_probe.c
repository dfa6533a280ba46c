/* Loaded into the game by bench/real-window.sh (LD_PRELOAD): writes the wall-clock time of every
   presented frame, one line each, to the file named by ZB_PRESENT_LOG, and the processor time the
   process had used by its first frame to ZB_PRESENT_LOG.cpu (milliseconds; unlike the wall time, it
   holds on a loaded machine). The game's own frame count, read from outside without changing the
   game. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

typedef void (*present_fn)(void*);

void SDL_RenderPresent(void* renderer) {
  static present_fn next = NULL;
  static FILE* log = NULL;
  if (!next) next = (present_fn)dlsym(RTLD_NEXT, "SDL_RenderPresent");
  next(renderer);
  if (!log) {
    const char* name = getenv("ZB_PRESENT_LOG");
    if (!name || !(log = fopen(name, "w"))) return;
    setvbuf(log, NULL, _IOFBF, 1 << 16);
    struct timespec cpu;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    char cpuName[4096];
    snprintf(cpuName, sizeof cpuName, "%s.cpu", name);
    FILE* cpuLog = fopen(cpuName, "w");
    if (cpuLog) {
      fprintf(cpuLog, "%.1f\n", cpu.tv_sec * 1e3 + cpu.tv_nsec / 1e6);
      fclose(cpuLog);
    }
  }
  struct timespec now;
  clock_gettime(CLOCK_REALTIME, &now);
  fprintf(log, "%lld.%09ld\n", (long long)now.tv_sec, now.tv_nsec);
  fflush(log);
}
