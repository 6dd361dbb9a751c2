# The front door: `make run`, `make test`, `make windows` and `make dist` set up a fresh Debian or
# Ubuntu machine first, each with only the packages it needs (scripts/setup.sh); `make` alone
# only builds.
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all build run test package windows dist clean

all: build

# Empty keeps what the build folder was configured with (the tests, in a new one).
TESTING ?=
CONFIGURE_TESTING = $(if $(TESTING),-DBUILD_TESTING=$(TESTING))

build:
	cmake -S . -B $(BUILD_DIR) $(CONFIGURE_TESTING)
	cmake --build $(BUILD_DIR) -j $(JOBS)

# The tests need packages that `make run` does not install (doctest, Qt's private headers), so
# the program is built without them here.
run:
	./scripts/setup.sh run
	$(MAKE) build TESTING=OFF
	./$(BUILD_DIR)/hardness-table

SANITIZE_DIR ?= build-sanitize
WINDOWS_DIR ?= build-windows

# The Windows program, cross-built with MinGW-w64, with its tests; its icon is committed, so no
# native build is needed. With wixl installed (make test, make dist), its Windows Installer
# package too.
windows:
	./scripts/setup.sh test
	cmake -S . -B $(WINDOWS_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=MinSizeRel
	cmake --build $(WINDOWS_DIR) -j $(JOBS)

# Everything: the native suite, the same under the sanitizers, the Windows suite under Wine, then
# the release as a user gets it (in a git checkout, from which alone it can be made), and the same
# bytes again from a second build elsewhere (scripts/check-reproducible.sh); on Debian 12, all of
# it but the sanitizers once more inside a Debian 13 root (scripts/debian-13-suite.sh).
HARDNESS_SANITIZE_PASS ?= yes
# The Debian 13 run leaves the second release build out, so that it adds one `make dist` to the
# suite's time, not two; `scripts/debian-13-suite.sh 'make dist && scripts/check-reproducible.sh'`
# runs it there.
HARDNESS_REPRODUCIBLE_PASS ?= yes
REPRODUCIBLE_CHECK = $(if $(filter yes,$(HARDNESS_REPRODUCIBLE_PASS)),&& \
  ./scripts/check-reproducible.sh dist $(JOBS))
DEBIAN_RELEASE = $(shell . /etc/os-release 2>/dev/null && [ "$$ID" = debian ] && echo $$VERSION_ID)

test:
	./scripts/setup.sh dist
	$(MAKE) build TESTING=ON
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure
ifeq ($(HARDNESS_SANITIZE_PASS),yes)
	cmake -S . -B $(SANITIZE_DIR) -DHARDNESS_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure
endif
	$(MAKE) windows
	cd $(WINDOWS_DIR) && ctest --output-on-failure
	@if ! git rev-parse --verify -q HEAD >/dev/null 2>&1; then \
	  echo "release checks skipped: the release is made from a git checkout"; \
	elif [ -n "$$(git status --porcelain --untracked-files=no)" ]; then \
	  $(MAKE) dist && ./scripts/check-dist.sh dist $(REPRODUCIBLE_CHECK); \
	else \
	  $(MAKE) dist && ./scripts/check-dist.sh dist $(WINDOWS_DIR)/hardness-table.exe \
	    $(REPRODUCIBLE_CHECK); \
	fi
ifeq ($(DEBIAN_RELEASE),12)
	./scripts/debian-13-suite.sh
endif

# cpack gives the .deb's own three members the modes the umask leaves them.
package:
	./scripts/setup.sh test
	$(MAKE) build
	cd $(BUILD_DIR) && umask 0022 && cpack -G DEB

# The release in dist/, built anew from the last commit (scripts/dist.sh).
dist:
	./scripts/setup.sh dist
	./scripts/dist.sh $(JOBS)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(WINDOWS_DIR) build-dist dist
