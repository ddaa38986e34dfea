# The two commands of the README: `make demo` and `make test`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

FUZZ_DIR ?= build-fuzz
SANITIZE_DIR ?= build-sanitize
FUZZ_SECONDS ?= 60
FUZZERS = config dayfile format records

PACKAGE_DIR ?= build-package

.PHONY: deps configure build test demo bench clean fuzz test-sanitize package test-package \
	time-test

deps:
	./scripts/install-deps

# Optimised as for the station, with line tables only (-g1): enough for a
# failing test's backtrace, at two thirds of the compile time of full
# debug information.
configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLON_WERROR=ON \
		-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG"

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The clean build's time, the tests' time and the slowest of each.
time-test: deps
	./scripts/time-test

demo: build
	./scripts/run-demo $(BUILD_DIR)

bench: build
	for b in $(BUILD_DIR)/bench/bench_*; do $$b; done

# Each libFuzzer harness for FUZZ_SECONDS, from its seed corpus in fuzz/corpus;
# what it finds is kept under $(FUZZ_DIR)/artifacts/.
fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" \
		-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQUILLON_FUZZ=ON \
		-DQUILLON_UNITY=ON
	cmake --build $(FUZZ_DIR) -j $(JOBS) $(addprefix --target fuzz_,$(FUZZERS))
	for f in $(FUZZERS); do \
		mkdir -p $(FUZZ_DIR)/corpus/$$f $(FUZZ_DIR)/artifacts/$$f && \
		$(FUZZ_DIR)/fuzz/fuzz_$$f -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
			-artifact_prefix=$(FUZZ_DIR)/artifacts/$$f/ \
			-rss_limit_mb=2048 -print_final_stats=1 \
			$(FUZZ_DIR)/corpus/$$f fuzz/corpus/$$f || exit 1; \
	done

# Every test run against the program's code built with AddressSanitizer and
# UBSan, in its own build directory (line tables only: the reports name file
# and line, at less build time).
test-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLON_SANITIZE=ON \
		-DCMAKE_CXX_FLAGS_DEBUG="-g1"
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && QT_QPA_PLATFORM=offscreen \
		ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j $(JOBS) -E '^Source'

# The Debian package, built apart from the test build (Release, no tests).
# Built with all of Debian's hardening flags (dpkg-buildflags), stripped by
# CPack as Debian strips its programs.
package: deps
	export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	cmake -S . -B $(PACKAGE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLON_UNITY=ON \
		-DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
		-DCMAKE_CXX_FLAGS_RELEASE="-DNDEBUG" \
		-DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
		-DCMAKE_STRIP=$(CURDIR)/scripts/strip-package
	cmake --build $(PACKAGE_DIR) -j $(JOBS) --target quillon quillon-cli cub5-sim gzipped-docs
	cd $(PACKAGE_DIR) && cpack -G DEB

# Installs the package into this machine, runs it from the installed files,
# and removes it again.
test-package: package
	./scripts/test-package $(PACKAGE_DIR)

clean:
	rm -rf $(BUILD_DIR) $(FUZZ_DIR) $(SANITIZE_DIR) $(PACKAGE_DIR)
