# The two commands of the README: `make run` and `make test`.
# Both install what a fresh Debian 12 machine lacks, configure and build.

BUILD         ?= build
ASAN_BUILD    ?= build-asan
WINDOWS_BUILD ?= build-windows
JOBS          ?= $(shell nproc 2>/dev/null || echo 2)
WERROR        := $(if $(CI),ON,OFF)
CMAKE_ARGS    ?=

.PHONY: all deps build run test test-plain test-sanitize test-windows bench fuzz samples screenshots package clean

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

# The Qt-free part (core, its tests, the sample generator) cross-built for
# Windows with MinGW-w64, its tests run under Wine.
test-windows:
	JOBS=$(JOBS) scripts/test-windows.sh $(WINDOWS_BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(WINDOWS_BUILD) build-bench build-fuzz build-package dist

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
# fuzz/corpus, with inputs as large as the largest valid file of its kind
# (the frame and 32767 records; squadron files up to 1 MiB).
FUZZ_SECONDS ?= 30
FUZZ_TARGETS := filelist:131168 except:262236 planesq:163935 squadron:1048576
fuzz:
	scripts/install-deps.sh clang libclang-rt-14-dev
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEQ_BUILD_FUZZ=ON -DVEQ_BUILD_UI=OFF -DVEQ_BUILD_TESTS=OFF
	cmake --build build-fuzz -j $(JOBS)
	set -e; for target in $(FUZZ_TARGETS); do \
	  t=$${target%%:*}; len=$${target##*:}; \
	  mkdir -p build-fuzz/corpus/$$t && cp -n fuzz/corpus/$$t/* build-fuzz/corpus/$$t/ 2>/dev/null || true; \
	  echo "== fuzz_$$t for $(FUZZ_SECONDS) s, inputs up to $$len bytes"; \
	  build-fuzz/fuzz/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -max_len=$$len build-fuzz/corpus/$$t; \
	done
