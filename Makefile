# make run: install what is missing, build, start the designer.
# make test: install what is missing, build, run every test.
BUILD ?= build
JOBS  ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: run test build deps bench clean

deps:
	@scripts/install-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

# The designer is a window: without a graphical session Qt could only fail with a plugin error.
ifneq ($(filter run,$(MAKECMDGOALS)),)
ifeq ($(strip $(DISPLAY)$(WAYLAND_DISPLAY)$(QT_QPA_PLATFORM)),)
$(error The designer needs a graphical session: DISPLAY or WAYLAND_DISPLAY is not set (without a screen, try: xvfb-run make run))
endif
endif

run: build
	$(BUILD)/app/kx4designer

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done; true

clean:
	rm -rf $(BUILD)
