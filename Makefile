# The front door: `make run` and `make test` set up a fresh Debian or Ubuntu machine first;
# `make` alone only builds.
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all build setup run test package windows clean

all: build

build:
	cmake -S . -B $(BUILD_DIR)
	cmake --build $(BUILD_DIR) -j $(JOBS)

setup:
	./scripts/setup.sh

run: setup build
	./$(BUILD_DIR)/hardness-table

SANITIZE_DIR ?= build-sanitize
WINDOWS_DIR ?= build-windows

# The Windows program, cross-built with MinGW-w64; the native build provides the icon tool.
windows: setup
	cmake -S . -B $(BUILD_DIR)
	cmake --build $(BUILD_DIR) -j $(JOBS) --target icon_export
	cmake -S . -B $(WINDOWS_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=MinSizeRel -DHARDNESS_ICON_EXPORT=$(CURDIR)/$(BUILD_DIR)/icon_export
	cmake --build $(WINDOWS_DIR) -j $(JOBS)

test: setup build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure
	cmake -S . -B $(SANITIZE_DIR) -DHARDNESS_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure
	$(MAKE) windows
	cd $(WINDOWS_DIR) && ctest --output-on-failure

package: setup build
	cd $(BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(WINDOWS_DIR)
