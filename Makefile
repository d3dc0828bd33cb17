# The two commands of the project: `make run` installs what building and running the program
# needs, builds the program and its modules (not the tests) and runs the built-in scenario build;
# `make test` checks the formatting, builds and passes every test (plain and sanitized),
# runs clang-tidy over the code and the tests,
# builds the optimised build for measurements (timing nothing) so that it cannot break
# unseen, runs the Windows build under Wine and each fuzz target for a bounded time, after
# installing the test tools too. `make package` makes the .deb and the Windows .zip.

# What building and running the program needs: the compiler and build tools, the libraries it
# and its modules link, and the fonts of its pictures. `make run` installs these alone.
RUN_PACKAGES := cmake ninja-build g++ pkg-config libcli11-dev nlohmann-json3-dev libcpp-httplib-dev \
                libfltk1.3-dev libx11-dev libcairo2-dev libfontconfig-dev libpng-dev zlib1g-dev \
                fonts-dejavu-core

# The rest, for `make test` and `make package`: the test and benchmark libraries, clang and its
# tools, the X server and the tools that drive the windows, the Windows cross-compiler and Wine,
# the editor and the browser of the server tests, and what the install and package tests use
# (the manual reader, the Debian package tools, the shell completion, node for the SARIF schema).
TEST_PACKAGES := clang libclang-rt-14-dev libbenchmark-dev libgtest-dev libgmock-dev clang-format clang-tidy \
                 xvfb xdotool xauth x11-utils imagemagick poppler-utils time \
                 g++-mingw-w64-x86-64-posix wine64 neovim python3 chromium nodejs \
                 man-db dpkg-dev bash-completion

.PHONY: all run test build build-release test-plain test-sanitize fuzz bench format check-format packages run-packages \
        clean screenshot windows test-windows lint package

all: build

# Installs the packages of a list that are missing (a no-op when none is), after one update of
# the package lists.
define install_missing
	@missing=""; \
	for p in $(1); do \
	    dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	$(2) \
	if [ -n "$$missing" ]; then \
	    echo "Installing:$$missing"; \
	    apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y $$missing; \
	fi
endef

run-packages:
	$(call install_missing,$(RUN_PACKAGES),)

# npm is asked for by its command: a Node.js from elsewhere brings its own and refuses Debian's.
packages:
	$(call install_missing,$(RUN_PACKAGES) $(TEST_PACKAGES),if ! command -v npm >/dev/null 2>&1; then missing="$$missing npm"; fi;)

# The program and its three modules in build/, without the tests (and without the test
# libraries, which the configuration then does not look for).
run: run-packages
	cmake --preset run
	cmake --build --preset run
	./build/scenario-builder

# Everything, the tests included.
build: packages
	cmake --preset default
	cmake --build --preset default

test-plain: build
	ctest --preset default -j $$(nproc)

# The checks of .clang-tidy over every file of src/ and tests/ that the default build compiles
# (its compile_commands.json); a finding is an error.
lint: build
	run-clang-tidy -p build -j 2 -quiet '$(CURDIR)/(src|tests)/' >build/lint.log 2>&1 || \
	    { grep -E -A3 'error:' build/lint.log; echo "clang-tidy found the above (build/lint.log)"; exit 1; }
	@echo "clang-tidy: no findings"

test-sanitize: packages
	cmake --preset sanitize
	cmake --build --preset sanitize
	ctest --preset sanitize -j $$(nproc)

# Each fuzz target runs for FUZZ_SECONDS (60 by default) on its seed corpus.
fuzz: packages
	cmake --preset fuzz
	cmake --build --preset fuzz
	./fuzz/run.sh

# The optimised build for measurements: the program with its two modules, the benchmarks and
# the generator of long scenarios, in build-release/ (its build preset names them: the tests
# run in the other builds and are not compiled here).
build-release: packages
	cmake --preset release
	cmake --build --preset release

# Benchmarks in the optimised build; they measure, the tests check behaviour. Then whole
# builds of the program that `make run` builds and of the optimised one against the floor of
# copying their output bytes (docs/performance.md).
bench: build build-release
	./build-release/scenario_benchmarks
	./bench/floor.sh

# The Windows executable, cross-compiled with MinGW-w64 and linked statically:
# build-windows/scenario-builder.exe.
windows: packages
	cmake --preset windows
	cmake --build --preset windows

# The Windows executable under Wine (in a prefix of build-windows/, made by the first run) and
# a private Xvfb, against the Linux build's files and output.
test-windows: build windows
	ctest --preset windows

# The Debian package of the Linux build and the .zip of the Windows build, made by CPack from
# the install rules (cmake/packaging.cmake): build/scenario-builder_VERSION_amd64.deb and
# build-windows/scenario-builder-VERSION-windows-x86_64.zip.
package: build windows
	cd build && cpack -G DEB
	cd build-windows && cpack -G ZIP

test: check-format test-plain lint test-sanitize build-release test-windows fuzz

# The README's picture of the waiting window, taken by the desktop test under Xvfb.
screenshot: test-plain
	mkdir -p docs
	cp build/screenshots/window.png docs/window.png

check-format: packages
	@files=$$(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 2>/dev/null); \
	if [ -n "$$files" ]; then clang-format --dry-run --Werror $$files; fi

format: packages
	@files=$$(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp'); \
	if [ -n "$$files" ]; then clang-format -i $$files; fi

clean:
	rm -rf build build-sanitize build-release build-fuzz build-windows
