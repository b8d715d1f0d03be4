# Quick start on a fresh Debian 12 machine:
#   make run    installs what is missing, builds, and starts the program
#   make test   installs what is missing, builds, and runs every test
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: all setup configure build run test bench sanitize clean

all: build

setup:
	scripts/install-packages.sh
	scripts/fetch-assets.sh

configure: setup
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

# The tray program on the desktop's display. SPINEWISE_REPLAY_DEVICES=<clip or
# image folder>[:...] adds replayed cameras (a face clip monitored as if live).
run: build
	$(BUILD_DIR)/bin/spinewise

# Every test, then the threaded parts (camera, monitoring modes, monitor
# controller, the Qt main queue and termination signals, the UI controller
# over the monitor controller, the calibration preview's frame path) again
# under the thread sanitizer in a Debug tree of their own.
TSAN_DIR ?= build-tsan
TSAN_TARGETS = camera_tests monitoring_tests engine_tests platform_tests instance_lock_tests shell_tests calibration_tests
TSAN_LABELS = ^(camera|monitoring|engine|platform|shell|calibration)$$

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)
	cmake -S . -B $(TSAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSPINEWISE_SANITIZE=thread
	cmake --build $(TSAN_DIR) -j $(JOBS) --target $(TSAN_TARGETS)
	cd $(TSAN_DIR) && ctest --output-on-failure -j $(JOBS) -L '$(TSAN_LABELS)'

bench: build
	$(BUILD_DIR)/bin/spinewise-bench

# make sanitize SANITIZER=address,undefined|thread: the test suite in its own build tree.
SANITIZER ?= address,undefined
sanitize: setup
	cmake -S . -B build-$(subst $(comma),-,$(SANITIZER)) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSPINEWISE_SANITIZE=$(SANITIZER)
	cmake --build build-$(subst $(comma),-,$(SANITIZER)) -j $(JOBS)
	cd build-$(subst $(comma),-,$(SANITIZER)) && ctest --output-on-failure -j $(JOBS)

comma := ,

clean:
	rm -rf $(BUILD_DIR) build-*
