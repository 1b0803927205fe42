# SPDX-FileCopyrightText: 2026 The Trakmil developers
# SPDX-License-Identifier: GPL-3.0-or-later
BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: deps configure build run test package install test-asan bench fuzz clean

deps:
	@bash scripts/install-deps.sh

# ccache is used when present; it is not needed.
export CCACHE_BASEDIR ?= $(CURDIR)
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache,)

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/trakmil

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The Debian package, $(BUILD)/trakmil_<version>_<arch>.deb.
package: build
	cd $(BUILD) && cpack -G DEB
	@ls $(BUILD)/trakmil_*.deb

# Into PREFIX (/usr/local unless given), DESTDIR honoured; sudo is yours to add.
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer (Qt itself is not instrumented).
ASAN_BUILD ?= $(BUILD)-asan
test-asan: deps
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTRAKMIL_SANITIZE=ON -DTRAKMIL_BENCHMARKS=OFF $(LAUNCHER) >/dev/null
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
	rm -rf $(BUILD) $(FUZZ_BUILD) $(ASAN_BUILD)
