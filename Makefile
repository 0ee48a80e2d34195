# Thin wrapper around CMake: the two commands of the README.
BUILD_DIR := build
JOBS := $(shell nproc 2>/dev/null || echo 2)
MAKEFLAGS += --no-print-directory

FUZZ_DIR := build-fuzz
SANITIZE_DIR := build-sanitize
FUZZ_SECONDS ?= 120
PREFIX ?= /usr/local

.PHONY: all deps configure build run test bench fuzz sanitize install package clean

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

# Every fuzz target for a share of FUZZ_SECONDS, in a clang build of its own.
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -DTARNWICK_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(FUZZ_DIR) -j$(JOBS)
	@scripts/run-fuzz $(FUZZ_DIR) $(FUZZ_SECONDS)

# The test programs that need no browser engine (nor the installed tree), under AddressSanitizer and UBSan.
sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNWICK_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_DIR) -j$(JOBS) --target nobrowser_tests
	@# Leak checking stays off: the toolkit's own caches live until exit.
	@cd $(SANITIZE_DIR) && ASAN_OPTIONS=detect_leaks=0:strict_string_checks=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j$(JOBS) -LE "browser|install"

bench: build
	@cd $(BUILD_DIR) && for b in bench_*; do [ -x "$$b" ] && ./$$b; done; true

# DESTDIR, when set, is honoured by cmake --install: $(DESTDIR)$(PREFIX)/bin/tarnwick.
install: build
	@cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

# build/tarnwick_<version>_<arch>.deb
package: build
	@cd $(BUILD_DIR) && cpack -G DEB

clean:
	@rm -rf $(BUILD_DIR) $(FUZZ_DIR) $(SANITIZE_DIR)
