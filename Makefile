# Two commands for a newcomer: `make test` and `make run`. Both install what is
# missing first (Debian packages, as root), then build.
BUILD      ?= build
HOST_DIR   := $(BUILD)/host
ASAN_DIR   := $(BUILD)/host-asan
WIN_DIR    := $(BUILD)/win32
JOBS       ?= $(shell nproc)

.PHONY: all bootstrap host asan win test test-host test-asan test-win run fuzz bench clean

all: host win

bootstrap:
	@bash scripts/bootstrap.sh

$(HOST_DIR)/build.ninja:
	cmake -S . -B $(HOST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug

$(ASAN_DIR)/build.ninja:
	cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQR_SANITIZE=ON

$(WIN_DIR)/build.ninja:
	cmake -S . -B $(WIN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/i686-w64-mingw32.cmake

host: bootstrap $(HOST_DIR)/build.ninja
	ninja -C $(HOST_DIR) -j$(JOBS)

asan: bootstrap $(ASAN_DIR)/build.ninja
	ninja -C $(ASAN_DIR) -j$(JOBS)

win: bootstrap $(WIN_DIR)/build.ninja
	ninja -C $(WIN_DIR) -j$(JOBS)

# The tests also build every benchmark program (without running it), so that
# none can fall behind the code it measures.
test-host: host
	ninja -C $(HOST_DIR) -j$(JOBS) benchmarks
	cd $(HOST_DIR) && ctest --output-on-failure

test-asan: asan
	cd $(ASAN_DIR) && ctest --output-on-failure

test-win: win
	ninja -C $(WIN_DIR) -j$(JOBS) benchmarks
	bash scripts/wine-template.sh
	cd $(WIN_DIR) && ctest --output-on-failure -j2

test: bootstrap
	$(MAKE) --no-print-directory test-host test-asan test-win

# Longer fuzzing than the bounded runs inside `make test`.
FUZZ_SECONDS ?= 300
fuzz: host
	cd $(HOST_DIR) && QR_FUZZ_SECONDS=$(FUZZ_SECONDS) ctest -L fuzz --output-on-failure --timeout 100000

# Benchmarks: timings side by side with a baseline, never asserted.
BENCH_DIR := $(BUILD)/host-release
$(BENCH_DIR)/build.ninja:
	cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DQR_FUZZ=OFF

# The Wine part (start-up, exit, database load, idle, handles) runs in one
# session: bench/run_bar_bench.sh.
bench: bootstrap $(BENCH_DIR)/build.ninja win
	ninja -C $(BENCH_DIR) -j$(JOBS) qr_host_bench
	$(BENCH_DIR)/qr_host_bench
	bash scripts/wine-template.sh
	bash bench/run_bar_bench.sh $(WIN_DIR)
	ninja -C $(WIN_DIR) -j$(JOBS) qr_win_manager_bench qr_win_menus_bench
	bash scripts/wine-run.sh $(WIN_DIR)/qr_win_manager_bench.exe
	bash scripts/wine-run.sh $(WIN_DIR)/qr_win_menus_bench.exe

run: bootstrap $(WIN_DIR)/build.ninja
	ninja -C $(WIN_DIR) -j$(JOBS) installer
	bash scripts/run.sh $(WIN_DIR)

clean:
	rm -rf $(BUILD)
