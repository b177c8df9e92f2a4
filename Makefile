# The project's two entry points: `make run` and `make test`. Both install what is missing,
# configure and build first, so a fresh Debian 12 machine needs nothing else.

BUILD_DIR ?= build
BUILD_TYPE ?= Release

.PHONY: run test deps configure build clean test-windows

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

# The plain libraries cross-built for Windows with mingw-w64, their tests run under Wine. The
# build holds the machine's build lock, as every build on a shared machine must.
WINDOWS_BUILD_DIR ?= build-windows
BUILD_LOCK ?= /tmp/tintwise-build.lock

test-windows: deps
	cmake -S . -B $(WINDOWS_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	    -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake
	flock $(BUILD_LOCK) cmake --build $(WINDOWS_BUILD_DIR)
	ctest --test-dir $(WINDOWS_BUILD_DIR) --output-on-failure; status=$$?; \
	    cmake/wine-run --stop $(WINDOWS_BUILD_DIR)/wine-prefix; exit $$status
