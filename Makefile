# make run   builds everything and runs the plug-in in the stand-in mail client
# make test  installs what is missing, builds, and runs every test
# make bench runs the benchmarks
# make dist  builds the release package build/dist/Varkel-0.22.zip

JOBS ?= 2
CTEST_ARGS ?=

.PHONY: all setup build build-x86 build-x64 dist run test bench clean

all: build

setup:
	@tools/setup.sh

build-x86:
	@cmake --preset x86 >/dev/null
	@cmake --build build/x86 -j$(JOBS)

build-x64:
	@cmake --preset x64 >/dev/null
	@cmake --build build/x64 -j$(JOBS)

build: build-x86 build-x64

dist: build-x86
	@tools/dist

run: setup build dist
	@tools/run

test: setup build
	@tools/with-display ctest --test-dir build/x64 --output-on-failure -j$(JOBS) $(CTEST_ARGS)

bench: setup build
	@tools/with-display tools/bench

clean:
	rm -rf build/x86 build/x64
