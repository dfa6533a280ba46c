# Two commands set everything up on a fresh Debian machine:
#   make run    install what is missing, build, generate the content and play
#   make test   the same set-up, then the whole test suite
BUILD ?= build
JOBS ?= 2

.PHONY: all deps configure build run test smoke clean

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

clean:
	rm -rf $(BUILD)
