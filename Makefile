# Thin wrapper around CMake: the two commands of the README.
BUILD_DIR := build
JOBS := $(shell nproc 2>/dev/null || echo 2)
MAKEFLAGS += --no-print-directory

PREFIX ?= /usr/local

.PHONY: all deps configure build run test bench install package clean

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

# DESTDIR, when set, is honoured by cmake --install: $(DESTDIR)$(PREFIX)/bin/tarnwick.
install: build
	@cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

# build/tarnwick_<version>_<arch>.deb
package: build
	@cd $(BUILD_DIR) && cpack -G DEB

clean:
	@rm -rf $(BUILD_DIR)
