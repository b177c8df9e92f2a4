# The project's two entry points: `make run` and `make test`. Both install what is missing,
# configure and build first, so a fresh Debian 12 machine needs nothing else.

BUILD_DIR ?= build
BUILD_TYPE ?= Release

.PHONY: run test deps configure build clean

run: build
	./$(BUILD_DIR)/tintwise

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure

deps:
	./scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: configure
	cmake --build $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR)
