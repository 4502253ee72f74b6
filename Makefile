# vestaMar - Simulação de Resultados
#   make run         set up, build and open the window (needs a desktop session)
#   make test        set up, build with warnings as errors, run every test, also under ASan/UBSan
#   make bench       benchmarks
#   make fuzz        bounded fuzzing of the parameter-file reader
#   make screenshot  build/screenshot.png of the window under the offscreen platform
#   make package     build/vestamar_<version>_amd64.deb
#   make windows     build-windows/vestamar-<version>-setup.exe and -windows.zip (Qt for Windows
#                    is built once from Debian's source and cached in ~/.cache/vestamar)
#   make test-windows  the program and all its tests built for Windows, run under Wine, and the
#                    installer checked under Wine
#   make screenshot-windows  build-windows/screenshot-windows.png, the window drawn under Wine

BUILD       ?= build
ASAN_BUILD  ?= build-asan
BENCH_BUILD ?= build-bench
FUZZ_BUILD  ?= build-fuzz
WIN_BUILD   ?= build-windows
JOBS        ?= $(shell nproc)
FUZZ_SECONDS ?= 60
CMAKE_GEN   := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")

.PHONY: setup build run test test-release test-asan bench fuzz screenshot package windows test-windows screenshot-windows clean

setup:
	@bash scripts/setup.sh

build: setup
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESTAMAR_WERROR=ON
	cmake --build $(BUILD) -j $(JOBS)

run: setup
	@bash scripts/run.sh --check
	@$(MAKE) --no-print-directory build
	@bash scripts/run.sh $(BUILD)/vestamar

test: setup test-release test-asan

test-release:
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESTAMAR_WERROR=ON
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

test-asan:
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DVESTAMAR_WERROR=ON -DVESTAMAR_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

bench: setup
	cmake -S . -B $(BENCH_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DVESTAMAR_BENCH=ON -DVESTAMAR_TESTS=OFF
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	@bash scripts/bench.sh $(BENCH_BUILD)

fuzz: setup
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESTAMAR_FUZZ=ON -DVESTAMAR_UI=OFF -DVESTAMAR_TESTS=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@bash scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

screenshot: build
	@bash scripts/screenshot.sh $(BUILD)

package: build
	cd $(BUILD) && cpack -G DEB

windows:
	@bash scripts/setup.sh windows
	JOBS=$(JOBS) bash scripts/windows.sh $(WIN_BUILD)

test-windows:
	@bash scripts/setup.sh windows
	JOBS=$(JOBS) bash scripts/test-windows.sh $(WIN_BUILD)

screenshot-windows:
	@bash scripts/setup.sh windows
	JOBS=$(JOBS) bash scripts/screenshot-windows.sh $(WIN_BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD) $(WIN_BUILD)
