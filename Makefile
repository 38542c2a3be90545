# make run  - installs what is missing, builds, starts Pemblo!
# make test - installs what is missing, builds, runs every test
# make package - the Debian package of the whole program, in $(BUILD)/
BUILD ?= build
CMAKE_OPTIONS ?=
ifdef CI
CMAKE_OPTIONS += -DPEMBLO_WERROR=ON
endif

.PHONY: all deps configure build run test bench package clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@test -f $(BUILD)/build.ninja || cmake -S . -B $(BUILD) -G Ninja $(CMAKE_OPTIONS)

build: configure
	@cmake --build $(BUILD)

# From the examples, where the default sequence of a first start lies.
run: build
	cd examples && $(abspath $(BUILD))/bin/pemblo

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j 2

package: build
	rm -f $(BUILD)/pemblo_*.deb
	cd $(BUILD) && cpack

bench: build
	@for b in $(BUILD)/bin/*_bench; do $$b; done

clean:
	rm -rf $(BUILD)
