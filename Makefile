# The README's two commands: `make run` and `make test`. Both install what is
# missing first.

BUILD      := build
TEST_BUILD := build/sanitize
JOBS       ?= $(shell nproc)

.PHONY: all deps build run test bench clean

all: build

deps:
	@sh scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@sh scripts/run.sh $(BUILD)/bin

# The test build runs with AddressSanitizer and UndefinedBehaviorSanitizer.
test: deps
	cmake -S . -B $(TEST_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DT604_SANITIZE=ON
	cmake --build $(TEST_BUILD) -j $(JOBS)
	cd $(TEST_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@sh scripts/bench.sh $(BUILD)/bin

clean:
	rm -rf $(BUILD)
