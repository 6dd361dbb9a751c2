# The front door: `make run`, `make test`, `make windows` and `make dist` set up a fresh Debian or
# Ubuntu machine first, each with only the packages it needs (scripts/setup.sh); `make` alone
# only builds.
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all build run test package windows windows-test dist clean

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
# x64 (64-bit, build-windows/) or x86 (32-bit, build-windows-x86/).
# Each one's installer test also installs the other's package, from the other's folder.
WINDOWS_ARCH ?= x64
ifeq ($(WINDOWS_ARCH),x64)
WINDOWS_PROCESSOR = x86_64
WINDOWS_DIR ?= build-windows
OTHER_WINDOWS_DIR = build-windows-x86
else ifeq ($(WINDOWS_ARCH),x86)
WINDOWS_PROCESSOR = i686
WINDOWS_DIR ?= build-windows-x86
OTHER_WINDOWS_DIR = build-windows
else
$(error WINDOWS_ARCH is x64 or x86, not $(WINDOWS_ARCH))
endif
# Only the project's own Debian 13 root gets 32-bit Wine (scripts/setup.sh wine32): a machine
# that make test runs on is never given a foreign architecture.
IN_PROJECT_ROOT = $(wildcard /.made-by-debootstrap)

# The Windows program, cross-built with MinGW-w64, with its tests; its icon is committed, so no
# native build is needed. With wixl installed (make test, make dist), its Windows Installer
# package too.
windows:
	./scripts/setup.sh test
	cmake -S . -B $(WINDOWS_DIR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-$(WINDOWS_PROCESSOR).cmake \
	  -DCMAKE_BUILD_TYPE=MinSizeRel -DOTHER_WINDOWS_BUILD=$(CURDIR)/$(OTHER_WINDOWS_DIR)
	cmake --build $(WINDOWS_DIR) -j $(JOBS)

# The Windows suite under Wine. The 32-bit one needs 32-bit Wine, in the project's root only, and
# Debian's runs 32-bit Linux code, which a kernel without IA-32 emulation refuses to start: there
# the suite cannot run, and says so.
windows-test:
ifeq ($(WINDOWS_ARCH),x86)
	./scripts/setup.sh wine32
endif
	$(MAKE) windows
	@if [ $(WINDOWS_ARCH) = x86 ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then \
	  echo "32-bit Windows suite NOT RUN: this kernel starts no 32-bit program, so 32-bit Wine cannot run"; \
	else \
	  cd $(WINDOWS_DIR) && ctest --output-on-failure; \
	fi

# Everything: the native suite, the same under the sanitizers, the Windows suite under Wine, then
# the release as a user gets it (in a git checkout, from which alone it can be made), and the same
# bytes again from a second build elsewhere (scripts/check-reproducible.sh); on Debian 12, all of
# it but the sanitizers once more inside a Debian 13 root (scripts/debian-13-suite.sh), where the
# 32-bit Windows suite runs too; on Debian 13, only that suite in such a root.
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
	$(MAKE) windows WINDOWS_ARCH=x86
	$(MAKE) windows-test WINDOWS_ARCH=x64
ifneq ($(IN_PROJECT_ROOT),)
	$(MAKE) windows-test WINDOWS_ARCH=x86
endif
	@if ! git rev-parse --verify -q HEAD >/dev/null 2>&1; then \
	  echo "release checks skipped: the release is made from a git checkout"; \
	elif [ -n "$$(git status --porcelain --untracked-files=no)" ]; then \
	  $(MAKE) dist && ./scripts/check-dist.sh dist $(REPRODUCIBLE_CHECK); \
	else \
	  $(MAKE) dist && ./scripts/check-dist.sh dist build-windows/hardness-table.exe \
	    build-windows-x86/hardness-table.exe $(REPRODUCIBLE_CHECK); \
	fi
ifeq ($(IN_PROJECT_ROOT),)
ifeq ($(DEBIAN_RELEASE),12)
	./scripts/debian-13-suite.sh
else ifeq ($(DEBIAN_RELEASE),13)
	./scripts/debian-13-suite.sh make windows-test WINDOWS_ARCH=x86
endif
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
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) build-windows build-windows-x86 build-dist dist
