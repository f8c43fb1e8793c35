# The project's two commands:
#   make demo   install what is missing, build kivtool, and run the main job
#   make test   install what is missing, build, and run every test
# Options: WERROR=1 (warnings are errors), SANITIZE=asan|tsan (sanitizer build).

BUILD ?= build
CMAKE_FLAGS := -G Ninja
ifeq ($(WERROR),1)
CMAKE_FLAGS += -DKIV_WERROR=ON
endif
ifeq ($(SANITIZE),asan)
BUILD := build-asan
CMAKE_FLAGS += -DKIV_ASAN=ON -DCMAKE_BUILD_TYPE=Debug
endif
ifeq ($(SANITIZE),tsan)
BUILD := build-tsan
CMAKE_FLAGS += -DKIV_TSAN=ON -DCMAKE_BUILD_TYPE=Debug
endif

.PHONY: deps configure build demo test bench fuzz clean

deps:
	@scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD)

# The demo runs kivtool and the setup of the example product: build just those
# and the language resources, not the tests and benchmarks.
demo: configure
	cmake --build $(BUILD) --target kivtool kivsetup language_resources example_medium
	scripts/demo.sh $(BUILD)

test: build
	cd $(BUILD) && ctest --output-on-failure -j2

bench: build
	scripts/bench.sh $(BUILD)

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DKIV_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build-fuzz
	scripts/fuzz-smoke.sh build-fuzz

clean:
	rm -rf build build-asan build-tsan build-fuzz
