# The two commands: `make run` and `make test`. Both install what is missing first.
# `make dist` packs a release into dist/.
BUILD   := build
NATIVE  := $(BUILD)/native
WIN     := $(BUILD)/win
CMAKE_WIN := -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake

.PHONY: all setup native win test run bench dist clean

all: native win

setup:
	@bash scripts/setup.sh

native: setup
	@cmake -S . -B $(NATIVE) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELQORNS_SANITIZE=ON >/dev/null
	@cmake --build $(NATIVE)

win: setup
	@cmake -S . -B $(WIN) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_WIN) >/dev/null
	@cmake --build $(WIN)

test: native win
	@bash scripts/test-all $(NATIVE) $(WIN)

run: win
	@VELQORNS_WINEPREFIX=$(CURDIR)/$(BUILD)/wineprefix bash scripts/run $(WIN)/Velqorns.exe

bench: win
	@VELQORNS_WINEPREFIX=$(CURDIR)/$(BUILD)/wineprefix bash scripts/with-display scripts/wine-run $(WIN)/bench/velqorns_bench.exe

# The release: the two programs only, then dist/ (scripts/dist).
dist: setup
	@cmake -S . -B $(WIN) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_WIN) >/dev/null
	@cmake --build $(WIN) --target dist

clean:
	rm -rf $(BUILD) screenshots dist
