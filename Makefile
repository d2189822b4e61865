# The two everyday commands: `make run` builds and starts the editor, `make test` builds and runs every
# test. Both install the Debian packages they need first when any is missing.

BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
PACKAGES := cmake ninja-build g++ qt6-base-dev libgtest-dev clang-format

.PHONY: all deps configure build run test clean

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
	@$(BUILD_DIR)/tests/tavrik_demo_roms $(BUILD_DIR)/demo
	@echo "Open one of these with File > Open ROM... to try Tavrik without a ROM of your own."
	$(BUILD_DIR)/src/tavrik

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j 2

clean:
	rm -rf $(BUILD_DIR)
