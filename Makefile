# make run   installs what is missing, builds and starts the program
# make test  installs what is missing, builds and runs every test, then builds
#            the core alone with each toolchain in PORTABLE, runs its tests and
#            checks that all give the same results (PORTABLE= skips this)
# make soak   a long random-event soak (EVENTS=1000000, SEED=...)
# make fuzz   a long run of mutated ink files through the reader (FILES=5000000,
#             SEED=...; PRESET=asan under the sanitizers)
# make bench  builds optimised and prints the benchmark tables
# make package builds the Debian package in build/release

PRESET ?= dev
EVENTS ?= 1000000
FILES ?= 5000000
SEED ?= 20261207
PORTABLE ?= core-gcc core-clang core-wasm core-mingw

.PHONY: deps build run test portable soak fuzz bench package clean

deps:
	scripts/install-deps.sh

build: deps
	cmake --preset $(PRESET)
	cmake --build --preset $(PRESET)

run: build
	build/$(PRESET)/src/tamsel

test: build
	ctest --preset $(PRESET)
	$(if $(strip $(PORTABLE)),$(MAKE) portable)

portable: deps
	for preset in $(PORTABLE); do cmake --workflow --preset $$preset || exit 1; done
	cmake -D "PRESETS=$(strip $(PORTABLE))" -P cmake/CompareDigests.cmake

soak: build
	QT_QPA_PLATFORM=offscreen QTEST_FUNCTION_TIMEOUT=86400000 TAMSEL_SOAK_EVENTS=$(EVENTS) TAMSEL_SOAK_SEED=$(SEED) \
		build/$(PRESET)/tests/tst_soak

fuzz: build
	QTEST_FUNCTION_TIMEOUT=86400000 TAMSEL_FUZZ_FILES=$(FILES) TAMSEL_FUZZ_SEED=$(SEED) \
		build/$(PRESET)/tests/tst_inkfile mutatedFilesNeverHarm

bench: deps
	cmake --preset release
	cmake --build --preset release --target tamsel_bench
	QT_QPA_PLATFORM=offscreen build/release/bench/tamsel_bench

package: deps
	cmake --preset release
	cmake --build --preset release
	cd build/release && cpack -G DEB

clean:
	rm -rf build
