# The front door: `make run` sets everything up and plays the demo,
# `make test` sets everything up and runs every test.
BUILD_DIR ?= build
# The project's own builds treat warnings as errors.
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLANTERN_WARNINGS_AS_ERRORS=ON

# `make sanitize`: every test, and the whole demo, under AddressSanitizer and
# UndefinedBehaviorSanitizer (SANITIZE_CXX=g++ SANITIZE_CC=gcc for GCC's).
SANITIZE_DIR ?= build-sanitize
SANITIZE_CC ?= clang
SANITIZE_CXX ?= clang++
# `make fuzz`: the libFuzzer targets, each run for FUZZ_SECONDS; `make check-clang`: the
# same clang build's tests, sanitizers on.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
# The leak checker's options, as tests/CMakeLists.txt gives them to every test (it says why
# dynamic TLS is not intercepted).
LSAN_SETTINGS = suppressions=$(CURDIR)/tests/sanitizers/leak_suppressions.txt:intercept_tls_get_addr=0

# `make install`: the programs, the archive, the desktop entry, icon, metadata and manual
# pages under PREFIX; `make package`: the Debian package in BUILD_DIR.
PREFIX ?= /usr/local

.PHONY: run test build configure deps clang-deps clean sanitize fuzz fuzz-build check-clang \
	install package

run: build
	cd $(BUILD_DIR) && ./lantern

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure --timeout 300 -j $$(nproc)

build: configure
	cmake --build $(BUILD_DIR)

install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

package: build
	cd $(BUILD_DIR) && cpack -G DEB

configure: deps
	@test -f $(BUILD_DIR)/build.ninja || cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

deps:
	@scripts/install-deps

clang-deps:
	@scripts/install-deps clang

sanitize: clang-deps
	@test -f $(SANITIZE_DIR)/build.ninja || CC=$(SANITIZE_CC) CXX=$(SANITIZE_CXX) \
	  cmake -S . -B $(SANITIZE_DIR) -G Ninja $(CMAKE_FLAGS) -DLANTERN_SANITIZE=ON
	cmake --build $(SANITIZE_DIR)
	cd $(SANITIZE_DIR) && ctest --output-on-failure --timeout 600 -j $$(nproc)
	cd $(SANITIZE_DIR) && SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy \
	  LSAN_OPTIONS=$(LSAN_SETTINGS) \
	  tools/capture/lantern-capture --mute --bench --fps 10

fuzz-build: clang-deps
	@test -f $(FUZZ_DIR)/build.ninja || CC=clang CXX=clang++ \
	  cmake -S . -B $(FUZZ_DIR) -G Ninja $(CMAKE_FLAGS) -DLANTERN_FUZZ=ON
	cmake --build $(FUZZ_DIR)

fuzz: fuzz-build
	scripts/run-fuzzers $(FUZZ_DIR) $(FUZZ_SECONDS)

check-clang: fuzz-build
	cd $(FUZZ_DIR) && ctest --output-on-failure --timeout 600 -j $$(nproc)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)
