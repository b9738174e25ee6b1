# Thin wrapper over CMake; see README.md.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: deps build run test clean

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/dialog/wirelace

test: build
	scripts/with-display.sh ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)

# Builds the libFuzzer targets with clang and runs each for FUZZ_SECONDS on
# a copy of its seed corpus. A crash fails; its input is kept under
# $(FUZZ_BUILD)/artifacts.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_TARGETS = read_bsch:bsch read_pads:pads read_ecf:ecf tokenizer:tokenizer convert:convert

.PHONY: fuzz
fuzz:
	@WIRELACE_FUZZ=1 scripts/install-deps.sh
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DWIRELACE_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@mkdir -p $(FUZZ_BUILD)/artifacts
	@for pair in $(FUZZ_TARGETS); do \
	  target=$${pair%%:*}; seeds=$${pair##*:}; \
	  work=$$(mktemp -d); cp fuzz/corpus/$$seeds/* $$work/; \
	  echo "fuzz_$$target: $(FUZZ_SECONDS) s"; \
	  log=$(FUZZ_BUILD)/fuzz_$$target.log; \
	  $(FUZZ_BUILD)/fuzz/fuzz_$$target $$work -max_total_time=$(FUZZ_SECONDS) -max_len=65536 \
	    -timeout=10 -rss_limit_mb=2048 \
	    -artifact_prefix=$(FUZZ_BUILD)/artifacts/$$target- > $$log 2>&1; status=$$?; \
	  rm -rf $$work; tail -n 3 $$log; \
	  [ $$status -eq 0 ] || { echo "fuzz_$$target failed; see $$log"; exit 1; }; \
	done
