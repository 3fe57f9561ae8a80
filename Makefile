# Two commands: `make run` builds and starts the game, `make test` builds and runs every test.
# Both install the Debian packages they need first (as root, with apt-get).

BUILD      := build
CHECKBUILD := build-check
JOBS       := $(shell nproc)

PACKAGES := build-essential cmake pkg-config libsdl2-dev libgl-dev libegl-dev libgl1-mesa-dri \
            libfreetype-dev libpng-dev libjpeg62-turbo-dev libgtest-dev libbenchmark-dev \
            xvfb xauth xdotool x11-apps libx11-dev clang libclang-rt-14-dev

.PHONY: run test build check-build valgrind deps dist clean

run: build
	cd $(BUILD) && ./kachelzauber

# The normal build's tests first, then all of them again (with the bounded fuzz run) in the
# sanitizer build.
test: build check-build
	cd $(BUILD) && ctest --output-on-failure -j2
	cd $(CHECKBUILD) && ctest --output-on-failure -j2

build: deps
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD)
	cmake --build $(BUILD) -j$(JOBS)

# clang with AddressSanitizer, UndefinedBehaviorSanitizer and libFuzzer.
check-build: deps
	@test -f $(CHECKBUILD)/CMakeCache.txt || CC=clang CXX=clang++ cmake -S . -B $(CHECKBUILD) \
	    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKZ_SANITIZE=ON
	cmake --build $(CHECKBUILD) -j$(JOBS)

# The whole game played once under valgrind's memory checker; not part of `make test`, it takes
# several minutes. The report goes to build/valgrind.log.
valgrind: build
	@command -v valgrind > /dev/null || { apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends valgrind; }
	tests/sanitizer/valgrind_game.sh $(BUILD)/kachelzauber $(BUILD)/valgrind.log

# Installs only what is missing, so a second run asks apt nothing.
deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	fi

# A release folder kachelzauber/ packed as dist/kachelzauber-linux-x86_64.tar.gz.
dist: deps
	tools/dist.sh

clean:
	rm -rf $(BUILD) $(CHECKBUILD) build-release dist
