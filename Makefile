# Two commands set everything up on a fresh Debian machine:
#   make run    install what is missing, build, generate the content and play
#   make test   the same set-up, then the whole test suite
# and a packager installs with `make install` (PREFIX, default /usr/local, and DESTDIR honoured)
# and removes it again with `make uninstall` (the same PREFIX and DESTDIR).
BUILD ?= build
JOBS ?= 2
PREFIX ?= /usr/local

.PHONY: all deps configure build run test smoke install uninstall package-check clean

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

install: build
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

uninstall:
	@DESTDIR="$(DESTDIR)" bash scripts/uninstall.sh $(BUILD)/install_manifest.txt

package-check: build
	@bash scripts/package-check.sh $(BUILD)

clean:
	rm -rf $(BUILD)
