# make run   installs what is missing, builds and starts the program
# make test  installs what is missing, builds and runs every test
# make package builds the Debian package in build/release

PRESET ?= dev

.PHONY: deps build run test package clean

deps:
	scripts/install-deps.sh

build: deps
	cmake --preset $(PRESET)
	cmake --build --preset $(PRESET)

run: build
	build/$(PRESET)/src/tamsel

test: build
	ctest --preset $(PRESET)

package: deps
	cmake --preset release
	cmake --build --preset release
	cd build/release && cpack -G DEB

clean:
	rm -rf build
