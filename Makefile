# The single entry point: `make run` and `make test` install what is missing,
# configure, build and then start the program or run every test.
BUILD       ?= build
BUILD_TYPE  ?= RelWithDebInfo
JOBS        ?= $(shell nproc)
FUZZ_SECONDS ?= 60
# Where `make package` builds, and where `make windows` leaves the .exe files
# that it zips.
PACKAGE_BUILD ?= build-package
WINDOWS_BIN ?= build-windows/bin

CMAKE_CONFIGURE = cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)
# Warnings are errors in every target that CI runs. `make build` and `make run`
# keep what the build folder has (off in a new one), so that a newer compiler's
# new warnings do not stop someone who only wants the program.
WERROR = -DHWD_WARNINGS_AS_ERRORS=ON
BUILD_PROGRAMS = cmake --build $(BUILD) -j$(JOBS) --target harlix-wave-dump wavedump

.PHONY: all build run test bench fuzz asan windows screenshots package package-check e2e clean

all: build

build:
	tools/install-deps.sh build
	$(CMAKE_CONFIGURE) -DBUILD_TESTING=OFF -DHWD_BUILD_BENCHMARKS=OFF
	$(BUILD_PROGRAMS)

# Quit, Esc and the close box end the program with 2, Enter with 1: both are
# a normal end, not a failure of make.
run: build
	@status=0; ./$(BUILD)/bin/harlix-wave-dump || status=$$?; \
	case $$status in 0|1|2) ;; *) echo "harlix-wave-dump ended with status $$status" >&2; exit $$status ;; esac

test:
	tools/install-deps.sh test
	$(CMAKE_CONFIGURE) -DBUILD_TESTING=ON -DHWD_BUILD_BENCHMARKS=ON $(WERROR)
	cmake --build $(BUILD) -j$(JOBS)
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

bench:
	tools/install-deps.sh test
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DHWD_BUILD_BENCHMARKS=ON
	cmake --build build-bench -j$(JOBS)
	QT_QPA_PLATFORM=offscreen cmake --build build-bench --target bench

# The whole test suite once under AddressSanitizer and UndefinedBehaviorSanitizer.
asan:
	tools/install-deps.sh test
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DHWD_SANITIZE=ON -DHWD_BUILD_BENCHMARKS=OFF $(WERROR)
	cmake --build build-asan -j$(JOBS)
	cd build-asan && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j$(JOBS)

fuzz:
	tools/install-deps.sh fuzz
	CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHWD_BUILD_FUZZERS=ON \
	    -DHWD_BUILD_DESKTOP=OFF -DBUILD_TESTING=OFF -DHWD_BUILD_BENCHMARKS=OFF $(WERROR)
	cmake --build build-fuzz -j$(JOBS) --target fuzz
	FUZZ_SECONDS=$(FUZZ_SECONDS) fuzz/run-fuzzer.sh build-fuzz

windows:
	tools/install-deps.sh windows
	cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
	    -DHWD_BUILD_BENCHMARKS=OFF -DHWD_WARNINGS_AS_ERRORS=ON
	cmake --build build-windows -j$(JOBS)
	cd build-windows && ctest --output-on-failure -j$(JOBS)
	@grep -A2 '^first paint after process start' build-windows/Testing/Temporary/LastTest.log || true

screenshots:
	tools/install-deps.sh test
	$(CMAKE_CONFIGURE) -DBUILD_TESTING=ON
	cmake --build $(BUILD) -j$(JOBS) --target screenshots

# The Debian package of both Linux programs in $(PACKAGE_BUILD)/packages and,
# when `make windows` has left both .exe files in $(WINDOWS_BIN), a zip of them
# beside it.
package:
	tools/install-deps.sh package
	cmake -S . -B $(PACKAGE_BUILD) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DHWD_BUILD_BENCHMARKS=OFF $(WERROR)
	cmake --build $(PACKAGE_BUILD) -j$(JOBS)
	rm -rf $(PACKAGE_BUILD)/packages
	cd $(PACKAGE_BUILD) && cpack
	tools/package-windows.sh $(PACKAGE_BUILD) $(WINDOWS_BIN)

# Checks the package's desktop-integration files, installs it with apt, runs
# both programs from /usr/bin, removes it.
package-check: package
	tools/check-package.sh $(PACKAGE_BUILD)/packages

# wavedump through the kernel's real MIDI drivers: a QEMU virtual machine with a
# USB MIDI device (tools/e2e/run.sh); its scratch folder is build-e2e. It takes
# wavedump from $(BUILD) when `make test` has configured it.
e2e:
	tools/e2e/run.sh build-e2e $(BUILD)

clean:
	rm -rf build build-bench build-asan build-fuzz build-windows build-package build-preset-*
