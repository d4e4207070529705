# Set-up and entry points. `make test` prepares a fresh Debian 12 machine (as root it installs the
# missing build packages), builds, runs the suite, then runs it again under ASan + UBSan.

PACKAGES   := cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev qt6-serialport-dev nlohmann-json3-dev libcli11-dev poppler-utils
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_GEN  := -G Ninja

FUZZ_BUILD ?= build-fuzz
FUZZ_TIME  ?= 20
FUZZ_TARGETS := reply_decoder link_receive tokenizer config_file settings_file json record_json list_file cli_args

.PHONY: all deps build test test-fast test-asan run bench clean fuzz fuzz-smoke

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

# libFuzzer targets, built with clang under ASan + UBSan (needs clang; the rest of the build does not).
fuzz: deps
	@command -v clang++ >/dev/null || { echo "make fuzz needs clang++"; exit 1; }
	cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DTZ_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS)

# Each target for FUZZ_TIME seconds from its seeds and kept findings. New inputs go to a scratch
# corpus in the fuzz build folder; a finding stops the run and is left there as crash-*/leak-*.
fuzz-smoke: fuzz
	@status=0; for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_BUILD)/corpus/$$t $(FUZZ_BUILD)/findings; \
	  echo "== fuzz_$$t ($(FUZZ_TIME) s)"; \
	  if ! $(FUZZ_BUILD)/fuzz/fuzz_$$t -max_total_time=$(FUZZ_TIME) -timeout=25 -rss_limit_mb=2048 \
	       -print_final_stats=1 -artifact_prefix=$(FUZZ_BUILD)/findings/$$t- \
	       $(FUZZ_BUILD)/corpus/$$t fuzz/corpus/$$t fuzz/regressions/$$t > $(FUZZ_BUILD)/findings/$$t.log 2>&1; then \
	    tail -n 40 $(FUZZ_BUILD)/findings/$$t.log; echo "fuzz_$$t found a fault"; status=1; \
	  fi; \
	  grep -E "^(stat::number_of_executed_units|stat::peak_rss_mb)|DONE" $(FUZZ_BUILD)/findings/$$t.log; \
	done; exit $$status

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
