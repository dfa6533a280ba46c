# Two commands set everything up on a fresh Debian machine:
#   make run    install what is missing, build, generate the content and play
#   make test   the same set-up, then the whole test suite
#   make fuzz   the fuzz drivers built with clang, each run FUZZ_TIME seconds over its corpus
#   make screens  plays the real game under a virtual X server and saves a picture of every screen
#                 and a contact sheet in $(BUILD)/screens/ (SCREENS_QUICK=1: without the long way to the end)
# and a packager installs with `make install` (PREFIX, default /usr/local, and DESTDIR honoured)
# and removes it again with `make uninstall` (the same PREFIX and DESTDIR).
BUILD ?= build
JOBS ?= 2
PREFIX ?= /usr/local

# The fuzz build (clang, sanitizers, libFuzzer), the seconds each driver runs, and which drivers
# run (all when empty; names as in fuzz/README.md without "fuzz_").
FUZZ_BUILD ?= build-fuzz
FUZZ_TIME ?= 60
FUZZ_DRIVERS ?=

# The pictures of `make screens`, and whether the run skips the 25 levels to the end of the story.
SCREENS_OUT ?= $(BUILD)/screens
SCREENS_QUICK ?= 0

.PHONY: all deps configure build run test smoke screens fuzz install uninstall package-check clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	cd $(BUILD)/game && ./zumbala

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

smoke: build
	@bash scripts/smoke-run.sh $(BUILD)/game

screens: build
	@SCREENS_QUICK=$(SCREENS_QUICK) bash scripts/screens.sh $(BUILD) $(SCREENS_OUT)

install: build
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

uninstall:
	@DESTDIR="$(DESTDIR)" bash scripts/uninstall.sh $(BUILD)/install_manifest.txt

package-check: build
	@bash scripts/package-check.sh $(BUILD)

# Needs the normal build too: the drivers are seeded from the content it generates.
fuzz: build
	@ZB_FUZZ_DEPS=1 bash scripts/install-deps.sh
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZB_FUZZ=ON > /dev/null
	@cmake --build $(FUZZ_BUILD) -j$(JOBS) --target fuzz_drivers
	@bash fuzz/run.sh $(FUZZ_BUILD) $(BUILD)/game $(FUZZ_TIME) $(FUZZ_DRIVERS)

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD)
