# The two everyday commands: `make run` builds and starts the editor, `make test` builds and runs every
# test. Both install the Debian packages they need first when any is missing.

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
PACKAGES := cmake ninja-build g++ qt6-base-dev qt6-charts-dev libqt6opengl6-dev nlohmann-json3-dev libgtest-dev clang-format libbenchmark-dev clang-14 \
	libclang-rt-14-dev desktop-file-utils python3-jsonschema zlib1g-dev libmgba-dev chromium
# The sanitizer run, the fuzz run and the benchmark (`make asan`, `make fuzz`, `make bench`).
ASAN_BUILD_DIR ?= build-asan
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := text_codec read_path pictures maps map_drawing json_read patches history_format species
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

# The Debian package (`make deb`): a Release build without the tests in build-rel/, the .deb beside it.
DEB_BUILD_DIR ?= build-rel

.PHONY: all deps configure build run test clean asan asan-core asan-corpus fuzz bench deb ratio

all: build

deps:
	@missing=""; \
	for package in $(PACKAGES); do \
		dpkg-query -W -f='$${Status}' $$package 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$package"; \
	done; \
	if [ -n "$$missing" ]; then \
		echo "Installing Debian packages:$$missing"; \
		if [ "$$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi; \
		$$sudo apt-get update && $$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: configure
	cmake --build $(BUILD_DIR)

run: build
	@$(BUILD_DIR)/src/tavrik_demo_roms $(BUILD_DIR)/demo
	@echo "Open one of these with File > Open ROM... to try Tavrik without a ROM of your own."
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
		echo "No display here (neither DISPLAY nor WAYLAND_DISPLAY is set): start $(BUILD_DIR)/src/tavrik from a desktop session."; \
		exit 1; \
	fi
	$(BUILD_DIR)/src/tavrik

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j 2

# Every test once more under AddressSanitizer, UndefinedBehaviorSanitizer and LeakSanitizer; any report fails.
asan: deps
	cmake -S . -B $(ASAN_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVRIK_SANITIZE=ON -DTAVRIK_BENCH=OFF
	$(SANITIZER_ENV) cmake --build $(ASAN_BUILD_DIR)
	$(SANITIZER_ENV) ctest --test-dir $(ASAN_BUILD_DIR) --output-on-failure -j 2

# Every fuzz target's seed corpus under the same sanitizers: what CI has time for after `make test`.
asan-corpus: deps
	cmake -S . -B $(ASAN_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVRIK_SANITIZE=ON -DTAVRIK_BENCH=OFF
	$(SANITIZER_ENV) cmake --build $(ASAN_BUILD_DIR) --target $(addprefix tavrik_fuzz_,$(FUZZ_TARGETS))
	$(SANITIZER_ENV) ctest --test-dir $(ASAN_BUILD_DIR) --output-on-failure -j 2 -R '^fuzz_corpus_'

# The same, and the core's tests, without the windows.
asan-core: deps
	cmake -S . -B $(ASAN_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVRIK_SANITIZE=ON -DTAVRIK_BENCH=OFF
	$(SANITIZER_ENV) cmake --build $(ASAN_BUILD_DIR) --target tavrik_core_tests $(addprefix tavrik_fuzz_,$(FUZZ_TARGETS))
	$(SANITIZER_ENV) ctest --test-dir $(ASAN_BUILD_DIR) --output-on-failure -j 2 -R '^fuzz_corpus_'
	@# Two shards side by side, one a core; either failing fails the run.
	$(SANITIZER_ENV) GTEST_TOTAL_SHARDS=2 GTEST_SHARD_INDEX=0 $(ASAN_BUILD_DIR)/tests/tavrik_core_tests > $(ASAN_BUILD_DIR)/shard0.log 2>&1 & \
	shard=$$!; \
	$(SANITIZER_ENV) GTEST_TOTAL_SHARDS=2 GTEST_SHARD_INDEX=1 $(ASAN_BUILD_DIR)/tests/tavrik_core_tests > $(ASAN_BUILD_DIR)/shard1.log 2>&1; \
	second=$$?; wait $$shard; first=$$?; \
	tail -n 3 $(ASAN_BUILD_DIR)/shard0.log $(ASAN_BUILD_DIR)/shard1.log; \
	if [ $$first -ne 0 ] || [ $$second -ne 0 ]; then cat $(ASAN_BUILD_DIR)/shard0.log $(ASAN_BUILD_DIR)/shard1.log; exit 1; fi

# Each libFuzzer target for FUZZ_SECONDS seconds (clang, in build-fuzz/); any crash fails.
fuzz: deps
	tests/fuzz/run.sh $(FUZZ_SECONDS)

# Open, load, save and patch timings on a 1 MiB synthetic image.
bench: build
	$(BUILD_DIR)/bench/tavrik_bench

deb: deps
	cmake -S . -B $(DEB_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVRIK_BUILD_TESTS=OFF -DTAVRIK_BENCH=OFF
	cmake --build $(DEB_BUILD_DIR)
	cd $(DEB_BUILD_DIR) && cpack -G DEB

# How big the suite is against the program: non-blank, non-comment lines of C++ under tests/ and src/.
ratio:
	@count() { git ls-files "$$1" | grep -E '\.(cpp|h)$$' | xargs cat | grep -cvE '^\s*(//.*)?$$'; }; \
	tests=$$(count 'tests/*'); program=$$(count 'src/*'); \
	echo "tests: $$tests lines, program: $$program lines, tests = $$((100 * tests / program))% of the program"

clean:
	rm -rf $(BUILD_DIR)
