# Thin wrapper around CMake: the two commands of the README.
BUILD_DIR := build
JOBS := $(shell nproc 2>/dev/null || echo 2)
MAKEFLAGS += --no-print-directory

.PHONY: all deps configure build run test bench clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  echo "No display found: run it under a virtual one with  xvfb-run -a -s '-screen 0 1280x1024x24' $(BUILD_DIR)/tarnwick"; \
	  exit 1; \
	fi
	@cd $(BUILD_DIR) && ./tarnwick

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j$(JOBS)

bench: build
	@cd $(BUILD_DIR) && for b in bench_*; do [ -x "$$b" ] && ./$$b; done; true

clean:
	@rm -rf $(BUILD_DIR)
