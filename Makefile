# The two commands of the README: `make run` and `make test`.
# Both install what a fresh Debian 12 machine lacks, configure and build.

BUILD         ?= build
ASAN_BUILD    ?= build-asan
WINDOWS_BUILD ?= build-windows
WINDOWS_CORE_BUILD ?= build-windows-core
# The static Qt for Windows, built once by `make windows-qt` into a cache
# outside any build folder (about 30 minutes on 2 cores) and kept there.
WINDOWS_QT    ?= $(or $(XDG_CACHE_HOME),$(HOME)/.cache)/veq-editor/qt6-windows-x64
VERSION       := $(shell grep '^project' CMakeLists.txt | grep -o '[0-9][0-9.]*')
JOBS          ?= $(shell nproc 2>/dev/null || echo 2)
WERROR        := $(if $(CI),ON,OFF)
CMAKE_ARGS    ?=

.PHONY: all deps build run test test-plain test-sanitize bench fuzz samples screenshots package clean
.PHONY: windows-qt windows windows-zip windows-installer windows-screenshots test-windows test-windows-core test-windows-ci

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEQ_WERROR=$(WERROR) $(CMAKE_ARGS)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/app/veq-editor

# Every test, then every test again under AddressSanitizer and UBSan.
test: test-plain test-sanitize

test-plain: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVEQ_SANITIZE=ON -DVEQ_WERROR=$(WERROR) $(CMAKE_ARGS)
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# Windows, cross-built with MinGW-w64: the static Qt, the program against it
# (veq-editor.exe and veq.exe, no DLLs beside them) and the zip for users.
windows-qt:
	JOBS=$(JOBS) scripts/windows-qt.sh $(WINDOWS_QT)

windows: windows-qt
	JOBS=$(JOBS) scripts/windows-build.sh $(WINDOWS_BUILD) $(WINDOWS_QT) veq-editor veq

windows-zip: windows
	scripts/windows-zip.sh $(WINDOWS_BUILD) dist/veq-editor-$(VERSION)-windows-x64.zip

# The installer beside the zip, dist/veq-editor-<version>-windows-x64-setup.exe:
# NSIS, through cpack, from the same build.
windows-installer: windows
	scripts/install-deps.sh nsis
	rm -rf $(WINDOWS_BUILD)/package
	cd $(WINDOWS_BUILD) && cpack -G NSIS
	mkdir -p dist && cp $(WINDOWS_BUILD)/package/veq-editor-$(VERSION)-windows-x64-setup.exe dist/

# The user guide's pictures of the Windows program, taken under Wine.
windows-screenshots: windows-qt
	docs/make-windows-screenshots.sh $(WINDOWS_BUILD) $(WINDOWS_QT)

# Every test of the Windows build under Wine, the windows' tests among them;
# test-windows-core: the part without Qt alone, which needs no Qt build.
test-windows: windows-qt
	JOBS=$(JOBS) scripts/test-windows.sh $(WINDOWS_BUILD) $(WINDOWS_QT)

test-windows-core:
	JOBS=$(JOBS) scripts/test-windows.sh $(WINDOWS_CORE_BUILD)

# CI's choice: everything when the cache holds the Qt, else the part without Qt.
test-windows-ci:
	if scripts/windows-qt.sh --check $(WINDOWS_QT); then $(MAKE) test-windows; else $(MAKE) test-windows-core; fi

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(WINDOWS_BUILD) $(WINDOWS_CORE_BUILD) build-bench build-fuzz build-package dist

# The Debian package dist/veq-editor_<version>_<arch>.deb, from a Release build of its own
# with the hardening flags Debian builds its own packages with.
DEB_FLAGS = DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get
package: deps
	cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DVEQ_BUILD_TESTS=OFF -DVEQ_WERROR=$(WERROR) \
	  -DCMAKE_CXX_FLAGS="$$($(DEB_FLAGS) CPPFLAGS) $$($(DEB_FLAGS) CXXFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$($(DEB_FLAGS) LDFLAGS)" $(CMAKE_ARGS)
	cmake --build build-package -j $(JOBS)
	rm -rf build-package/package
	cd build-package && cpack -G DEB
	mkdir -p dist && cp build-package/package/*.deb dist/

# Every action at the formats' limits, through the windows and the core alone.
bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVEQ_BUILD_BENCH=ON -DVEQ_BUILD_TESTS=OFF $(CMAKE_ARGS)
	cmake --build build-bench -j $(JOBS) --target veq-bench
	build-bench/bench/veq-bench $(BENCH_REPETITIONS)

# A folder of synthetic data files and part bitmaps to try every window with.
.PHONY: samples screenshots
samples: build
	$(BUILD)/tools/veq-make-samples samples

# The user guide's pictures, from the real windows on the sample data, under Xvfb.
screenshots: deps
	BUILD=$(BUILD) docs/make-screenshots.sh

# Each reader under libFuzzer for FUZZ_SECONDS, from the seed corpus in
# fuzz/corpus. Each target takes its longest input from the kind table (the
# largest valid file of its kind, the text of one, the longest entry).
FUZZ_SECONDS ?= 30
# The text form, the copy reader and typed entries take a first byte that picks the kind.
FUZZ_TARGETS := filelist except planesq squadron text copy typed
fuzz:
	scripts/install-deps.sh clang libclang-rt-14-dev
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEQ_BUILD_FUZZ=ON -DVEQ_BUILD_UI=OFF -DVEQ_BUILD_TESTS=OFF
	cmake --build build-fuzz -j $(JOBS)
	@# What is fuzzed is the core: it must carry the fuzzer's coverage and the sanitizers' checks.
	@nm build-fuzz/core/libveq_core.a | grep -q __sanitizer_cov_trace_cmp && nm build-fuzz/core/libveq_core.a | grep -q __asan_report \
	  || { echo "make fuzz: the core is built without the fuzzer's and sanitizers' instrumentation"; exit 1; }
	set -e; for t in $(FUZZ_TARGETS); do \
	  mkdir -p build-fuzz/corpus/$$t && cp -n fuzz/corpus/$$t/* build-fuzz/corpus/$$t/ 2>/dev/null || true; \
	  echo "== fuzz_$$t for $(FUZZ_SECONDS) s"; \
	  build-fuzz/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) build-fuzz/corpus/$$t; \
	done
