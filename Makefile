# The single entry point: `make run` and `make test` install what is missing,
# configure, build and then start the program or run every test.
BUILD       ?= build
BUILD_TYPE  ?= RelWithDebInfo
JOBS        ?= $(shell nproc)
FUZZ_SECONDS ?= 60

CMAKE_CONFIGURE = cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

.PHONY: all build run test bench fuzz asan windows screenshots install-check e2e clean

all: build

build:
	tools/install-deps.sh build
	$(CMAKE_CONFIGURE) -DHWD_BUILD_TESTS=OFF -DHWD_BUILD_BENCHMARKS=OFF
	cmake --build $(BUILD) -j$(JOBS) --target harlix-wave-dump wavedump

run: build
	./$(BUILD)/bin/harlix-wave-dump

test:
	tools/install-deps.sh test
	$(CMAKE_CONFIGURE) -DHWD_BUILD_TESTS=ON -DHWD_BUILD_BENCHMARKS=ON
	cmake --build $(BUILD) -j$(JOBS)
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

bench:
	tools/install-deps.sh test
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DHWD_BUILD_TESTS=OFF -DHWD_BUILD_BENCHMARKS=ON
	cmake --build build-bench -j$(JOBS)
	QT_QPA_PLATFORM=offscreen cmake --build build-bench --target bench

# The whole test suite once under AddressSanitizer and UndefinedBehaviorSanitizer.
asan:
	tools/install-deps.sh test
	cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DHWD_SANITIZE=ON -DHWD_BUILD_BENCHMARKS=OFF
	cmake --build build-asan -j$(JOBS)
	cd build-asan && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j$(JOBS)

fuzz:
	tools/install-deps.sh test
	CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHWD_BUILD_FUZZERS=ON \
	    -DHWD_BUILD_DESKTOP=OFF -DHWD_BUILD_TESTS=OFF -DHWD_BUILD_BENCHMARKS=OFF
	cmake --build build-fuzz -j$(JOBS) --target fuzz
	FUZZ_SECONDS=$(FUZZ_SECONDS) fuzz/run-fuzzer.sh build-fuzz

windows:
	tools/install-deps.sh test
	cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release \
	    -DHWD_BUILD_BENCHMARKS=OFF
	cmake --build build-windows -j$(JOBS)
	cd build-windows && ctest --output-on-failure -j$(JOBS)

screenshots:
	tools/install-deps.sh test
	$(CMAKE_CONFIGURE) -DHWD_BUILD_TESTS=ON
	cmake --build $(BUILD) -j$(JOBS) --target screenshots

# Installs into a scratch folder and checks the desktop-integration files.
install-check: build
	rm -rf $(BUILD)/stage
	DESTDIR=$(CURDIR)/$(BUILD)/stage cmake --install $(BUILD) --prefix /usr
	desktop-file-validate $(BUILD)/stage/usr/share/applications/*.desktop
	appstreamcli validate --no-net $(BUILD)/stage/usr/share/metainfo/*.xml

# wavedump through the kernel's real MIDI drivers: a QEMU virtual machine with a
# USB MIDI device (tools/e2e/run.sh); its scratch folder is build-e2e.
e2e:
	tools/e2e/run.sh build-e2e

clean:
	rm -rf build build-bench build-asan build-fuzz build-windows
