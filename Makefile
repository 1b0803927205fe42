# SPDX-FileCopyrightText: 2026 The Trakmil developers
# SPDX-License-Identifier: GPL-3.0-or-later
BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: deps configure build run test check-style package install uninstall test-asan bench fuzz clean

deps:
	@bash scripts/install-deps.sh

# WERROR=ON makes every compiler warning an error, as the CI builds; off by default, so a newer
# compiler's new warning never stops a user's build.
WERROR ?= OFF

# ccache is used when present; it is not needed.
export CCACHE_BASEDIR ?= $(CURDIR)
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache,)

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRAKMIL_WERROR=$(WERROR) $(LAUNCHER) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Only the application: the tests and benchmarks are built by the targets that run them.
run: configure
	@cmake --build $(BUILD) -j $(JOBS) --target trakmil
	./$(BUILD)/trakmil

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Formatting, cppcheck and the layer rules, without a build (docs/contributing/checks.md).
check-style:
	@bash scripts/check-style.sh

# The Debian package, $(PACKAGE_BUILD)/trakmil_<version>-<revision>_<arch>.deb, from a build
# of its own without tests and benchmarks (nor their libraries). CXXFLAGS, LDFLAGS and
# SOURCE_DATE_EPOCH from the environment are honoured.
PACKAGE_BUILD ?= $(BUILD)-package
package:
	@bash scripts/install-deps.sh package
	@cmake -S . -B $(PACKAGE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
	  -DBUILD_TESTING=OFF -DTRAKMIL_BENCHMARKS=OFF -DTRAKMIL_REPRODUCIBLE=ON $(LAUNCHER) >/dev/null
	@cmake --build $(PACKAGE_BUILD) -j $(JOBS)
	cd $(PACKAGE_BUILD) && cpack -G DEB
	@ls $(PACKAGE_BUILD)/trakmil_*.deb

# Into PREFIX (/usr/local unless given), DESTDIR honoured; sudo is yours to add. Installed
# stripped; outside a DESTDIR the desktop's file-type, menu and icon caches are brought up to
# date, as a package's install scripts would. The list of installed files stays in
# $(BUILD)/installed-files.txt for uninstall, which takes the same PREFIX and DESTDIR (cmake's
# own manifest is rewritten by the tests and leaves DESTDIR out).
PREFIX ?= /usr/local
define update-caches
	@if [ -z "$(DESTDIR)" ]; then \
	  ! command -v update-mime-database >/dev/null || update-mime-database '$(PREFIX)/share/mime'; \
	  ! command -v update-desktop-database >/dev/null || update-desktop-database -q '$(PREFIX)/share/applications'; \
	  ! command -v gtk-update-icon-cache >/dev/null || gtk-update-icon-cache -q -t -f '$(PREFIX)/share/icons/hicolor'; \
	fi
endef
install: configure
	@cmake --build $(BUILD) -j $(JOBS) --target trakmil trakmil_desktop_files
	DESTDIR='$(DESTDIR)' cmake --install $(BUILD) --prefix '$(PREFIX)' --strip
	@sed 's|^|$(DESTDIR)|' $(BUILD)/install_manifest.txt >$(BUILD)/installed-files.txt
	$(update-caches)

uninstall:
	@[ -f $(BUILD)/installed-files.txt ] || { echo "nothing was installed from $(BUILD)" >&2; exit 1; }
	xargs -d '\n' rm -f -- <$(BUILD)/installed-files.txt
	@for d in share/trakmil share/doc/trakmil; do \
	  [ ! -d '$(DESTDIR)$(PREFIX)'/$$d ] || find '$(DESTDIR)$(PREFIX)'/$$d -depth -type d -empty -delete; done
	@rm -f $(BUILD)/installed-files.txt
	$(update-caches)

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer (Qt itself is not instrumented).
ASAN_BUILD ?= $(BUILD)-asan
test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTRAKMIL_SANITIZE=ON -DTRAKMIL_BENCHMARKS=OFF -DTRAKMIL_WERROR=$(WERROR) $(LAUNCHER) >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b || exit 1; done

FUZZ_BUILD ?= $(BUILD)-fuzz
fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DTRAKMIL_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER) >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD) $(ASAN_BUILD) $(PACKAGE_BUILD)
