# make run   - install what is missing, build, start the program
# make test  - install what is missing, build, run every test (also under sanitizers)
# make bench - build and run the benchmarks
# make fuzz  - run every fuzz target for FUZZ_SECONDS seconds (default 60)

JOBS        ?= $(shell nproc)
BUILD       := build
ASAN_BUILD  := build-asan
FUZZ_BUILD  := build-fuzz
FUZZ_SECONDS ?= 60
CMAKE_FLAGS := -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps build run test unit-test asan-test bench fuzz clean

all: build

deps:
	bash scripts/install-deps

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DQUILLMARK_BENCH=ON
	cmake --build $(BUILD) -j $(JOBS)

run: build
	bash scripts/run

unit-test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

asan-test: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_FLAGS) -DQUILLMARK_SANITIZE=ON -DQUILLMARK_WITH_QT=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

test: unit-test asan-test

bench: build
	bash scripts/bench $(BUILD)

fuzz: deps
	CXX=clang++-14 cmake -S . -B $(FUZZ_BUILD) $(CMAKE_FLAGS) -DQUILLMARK_FUZZ=ON -DQUILLMARK_WITH_QT=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_targets
	bash scripts/fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
