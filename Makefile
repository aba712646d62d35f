# The front door: `make run` sets everything up and plays the demo,
# `make test` sets everything up and runs every test.
BUILD_DIR ?= build
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: run test build configure deps clean

run: build
	cd $(BUILD_DIR) && ./lantern

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure --timeout 300 -j $$(nproc)

build: configure
	cmake --build $(BUILD_DIR)

configure: deps
	@test -f $(BUILD_DIR)/build.ninja || cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

deps:
	@scripts/install-deps

clean:
	rm -rf $(BUILD_DIR)
