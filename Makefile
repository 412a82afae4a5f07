# make run   installs what is missing, builds and starts the program
# make test  installs what is missing, builds and runs every test, then builds
#            the core alone with each toolchain in PORTABLE, runs its tests and
#            checks that all give the same results (PORTABLE= skips this)
# make soak   a long random-event soak (EVENTS=1000000, SEED=...)
# make fuzz   a long run of mutated ink files through the reader (FILES=5000000,
#             SEED=...; PRESET=asan under the sanitizers)
# make bench  builds optimised and prints the benchmark tables
# make package builds the Debian package in build/release
# make web    builds the browser's page into build/web/site (any static server can host it)
# make serve-web  serves that folder on http://localhost:$(WEB_PORT)/
# make bench-web  times the page in headless chromium
# make class-broker  runs the class's MQTT broker (mosquitto) from build/class-broker

PRESET ?= dev
EVENTS ?= 1000000
FILES ?= 5000000
SEED ?= 20261207
PORTABLE ?= core-gcc core-clang core-wasm core-mingw
# The browser's tests, once a CI run like the portable builds: WEB= leaves them out.
WEB ?= test-web
WEB_PORT ?= 8020
WEB_SITE = build/web/site

.PHONY: deps build run test portable soak fuzz bench package clean web serve-web test-web bench-web class-broker

deps:
	scripts/install-deps.sh

build: deps
	cmake --preset $(PRESET)
	cmake --build --preset $(PRESET)

run: build
	build/$(PRESET)/src/desktop/tamsel

test: build
	ctest --preset $(PRESET)
	$(if $(strip $(PORTABLE)),$(MAKE) portable)
	$(if $(strip $(WEB)),$(MAKE) $(WEB))

portable: deps
	for preset in $(PORTABLE); do cmake --workflow --preset $$preset || exit 1; done
	cmake -D "PRESETS=$(strip $(PORTABLE))" -P cmake/CompareDigests.cmake

web: deps web/bundle/node_modules/.package-lock.json
	cmake --preset web
	cmake --build --preset web

# The page's bundler, from its lockfile: after this the build needs no network.
web/bundle/node_modules/.package-lock.json: web/bundle/package-lock.json
	cd web/bundle && npm ci --no-audit --no-fund

serve-web: web
	@echo "Tamsel in the browser: http://localhost:$(WEB_PORT)/  (Ctrl+C stops the server)"
	/usr/bin/python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory $(WEB_SITE)

# The browser tests drive Debian's chromium and compare with the desktop's --export.
web/tests/node_modules/.package-lock.json: web/tests/package-lock.json
	cd web/tests && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund

test-web: web web/tests/node_modules/.package-lock.json
	TAMSEL_SITE=$(CURDIR)/$(WEB_SITE) TAMSEL_DESKTOP=$(CURDIR)/build/$(PRESET)/src/desktop/tamsel \
		node --test --test-concurrency=1 web/tests/

# Pupils on ports 1883 (MQTT) and 8083 (WebSockets), teachers on 1884 and 8084.
class-broker: deps
	scripts/class-broker.sh build/class-broker

bench-web: web web/tests/node_modules/.package-lock.json
	node web/bench/bench.mjs

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
