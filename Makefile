# The README's commands. Each installs what is missing, builds, and runs.
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
PREFIX ?= /usr/local

.PHONY: all deps configure build build-asan test test-normal test-asan demo app install bench format clean

all: build

deps:
	scripts/install-deps

configure: deps
	cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSEL_WERROR=ON $(CMAKE_FLAGS)

build: configure
	cmake --build build -j $(JOBS)

build-asan: deps
	CXX=clang++ cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTESSEL_WERROR=ON -DTESSEL_SANITIZE=ON \
	  -DTESSEL_FUZZ=ON $(CMAKE_FLAGS)
	cmake --build build-asan -j $(JOBS)

test-normal: build
	ctest --test-dir build --output-on-failure -j $(JOBS)

test-asan: build-asan
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir build-asan --output-on-failure -j $(JOBS)

test: test-normal test-asan

# The demo runs the tessel command alone, so only the command is built; `make test` builds the rest.
demo: configure
	cmake --build build -j $(JOBS) --target tessel_command
	scripts/demo

# The desktop program on the demo recording (on a machine without a display it says so).
app: configure
	cmake --build build -j $(JOBS) --target strata_desktop tessel_module
	build/src/strata data/organ-bath.edf

# Puts the tessel command into $(PREFIX)/bin (sudo for the default /usr/local).
install: configure
	cmake --build build -j $(JOBS) --target tessel_command
	cmake --install build --prefix $(PREFIX)

bench: deps
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTESSEL_BENCH=ON $(CMAKE_FLAGS)
	cmake --build build-bench -j $(JOBS)
	scripts/bench

format:
	find src tests bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build build-asan build-bench
