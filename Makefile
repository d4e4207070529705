# Set-up and entry points. `make test` prepares a fresh Debian 12 machine (as root it installs the
# missing build packages), builds, runs the suite, then runs it again under ASan + UBSan.

PACKAGES   := cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev qt6-serialport-dev nlohmann-json3-dev
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_GEN  := -G Ninja

.PHONY: all deps build test test-fast test-asan run bench clean

all: build

deps:
	@missing=""; \
	for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing:$$missing"; \
	    export DEBIAN_FRONTEND=noninteractive; \
	    apt-get install -y -q $$missing || { apt-get update -q && apt-get install -y -q $$missing; }; \
	  else \
	    echo "Missing packages:$$missing (run 'make deps' as root to install them)"; \
	  fi; \
	fi

$(BUILD)/build.ninja: deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

test-fast: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DTZ_SANITIZE=ON -DTZ_BUILD_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

test: test-fast test-asan

run: build
	@./scripts/run-demo.sh $(BUILD)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done; true

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
