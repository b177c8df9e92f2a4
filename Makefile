# The project's two entry points: `make run` and `make test`. Both install what is missing,
# configure and build first, so a fresh Debian 12 machine needs nothing else.

BUILD_DIR ?= build
BUILD_TYPE ?= Release

.PHONY: run test deps configure build clean test-sanitize fuzz test-windows bench windows-release \
	bench-windows windows-configure

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

# The suite again under AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer, in a build
# of its own, the end-to-end tests included: they pass these options on to the game they start.
# The options and the leak suppressions (system libraries only) apply to this run alone.
SANITIZE_DIR ?= build-sanitize
SANITIZE_FLAGS = -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
SANITIZE_ENV = \
	ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitize/lsan.supp:print_suppressions=0

test-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)" -DCMAKE_EXE_LINKER_FLAGS="$(SANITIZE_FLAGS)"
	$(SANITIZE_ENV) cmake --build $(SANITIZE_DIR)
	$(SANITIZE_ENV) ctest --test-dir $(SANITIZE_DIR) --output-on-failure

# libFuzzer targets (clang) on the record files and the warm-up count, each run for FUZZ_SECONDS
# from its seed corpus in fuzz/corpus/; a build of engine/, records/ and fuzz/ alone, without Qt.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60

fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_COMPILER=clang++-14 -DTINTWISE_FUZZ=ON
	cmake --build $(FUZZ_DIR)
	fuzz/run-all $(FUZZ_DIR) $(FUZZ_SECONDS)

# Every benchmark of the game against a bare Qt window, then one table (bench/README.md). The
# build and the measurement hold the machine's build lock, so that no other build weighs on
# the figures.
BENCH_LOCK ?= /tmp/tintwise-build.lock
BENCH_RUNS ?= 15
WINDOWS_BENCH_RUNS ?= 41

bench: configure
	flock $(BENCH_LOCK) cmake --build $(BUILD_DIR)
	flock $(BENCH_LOCK) /usr/bin/python3 bench/run.py $(BUILD_DIR) --runs $(BENCH_RUNS) \
		--out $(BUILD_DIR)/bench-results.md

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR) $(WINDOWS_BUILD_DIR)

# The Windows build with mingw-w64, tintwise.exe included, and its tests under Wine: the plain
# libraries' suites, and the end-to-end driver, which plays the game on an X server of its own.
WINDOWS_BUILD_DIR ?= build-windows

# One configuration for every Windows target, as for the Linux ones, so that running them in
# turn never rebuilds the folder for another build type.
windows-configure: deps
	cmake -S . -B $(WINDOWS_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	    -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake

test-windows: windows-configure
	cmake --build $(WINDOWS_BUILD_DIR)
	ctest --test-dir $(WINDOWS_BUILD_DIR) --output-on-failure; status=$$?; \
	    cmake/wine-run --stop $(WINDOWS_BUILD_DIR)/wine-prefix; exit $$status

# The Windows rows of bench/README.md: tintwise.exe's size and imports, and its launch to the
# splash against a bare Win32 window under the same Wine; build and measurement hold the lock.
bench-windows: windows-configure
	flock $(BENCH_LOCK) cmake --build $(WINDOWS_BUILD_DIR)
	flock $(BENCH_LOCK) bench/win32_bare/run $(WINDOWS_BUILD_DIR) $(WINDOWS_BENCH_RUNS)

# The zip a Windows player downloads, tintwise-<version>-windows-x64.zip, at the top of the
# Windows build folder: tintwise.exe and a short text on how to play and where records are kept.
windows-release: windows-configure
	cmake --build $(WINDOWS_BUILD_DIR) --target windows_release
