# make run   installs what is missing, builds and starts the program
# make test  installs what is missing, builds and runs every test

PRESET ?= dev

.PHONY: deps build run test clean

deps:
	scripts/install-deps.sh

build: deps
	cmake --preset $(PRESET)
	cmake --build --preset $(PRESET)

run: build
	build/$(PRESET)/src/tamsel

test: build
	ctest --preset $(PRESET)

clean:
	rm -rf build
