# The two commands of the README: `make demo` and `make test`.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja

.PHONY: deps configure build build-programs test test-fast asan demo window clean

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVT_WERROR=ON >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Only what the demo and the window run: the two programs and the library (with its registration).
build-programs: configure
	@cmake --build $(BUILD) -j $(JOBS) --target ambrix-batch ambrix valtrone valtrone-call

# The whole suite, then the same suite once more under the sanitizers.
test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory asan

test-fast: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

asan: deps
	@cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DVT_SANITIZE=ON -DVT_WERROR=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# The lists the start-up fills, then the main job of May 2013 (examples/demo/mayo-2013.ini), and
# the annex file it writes checked against the tax authority's schema, and the summary receipt of
# the period printed to PDF.
demo: build-programs examples/demo/db/GLOBAL.MDB
	@mkdir -p build/demo
	AMBRIX_WIN_INI=examples/demo/win.ini $(BUILD)/bin/ambrix-batch --config-dir examples/demo --list
	AMBRIX_WIN_INI=examples/demo/win.ini VALTRONE_REGISTRY=$(BUILD)/automation.reg \
	  $(BUILD)/bin/ambrix-batch --config-dir examples/demo --state examples/demo/mayo-2013.ini
	xmllint --noout --schema xml/schema/ats.xsd build/demo/AT052013.XML
	AMBRIX_WIN_INI=examples/demo/win.ini $(BUILD)/bin/ambrix-batch --config-dir examples/demo \
	  --state examples/demo/mayo-2013.ini --print-receipt --pdf build/demo/talon-052013.pdf

# The main window on the demo configuration, as `make demo` runs the batch program.
window: build-programs examples/demo/db/GLOBAL.MDB
	@mkdir -p build/demo
	AMBRIX_CONFIG_DIR=examples/demo AMBRIX_WIN_INI=examples/demo/win.ini $(BUILD)/bin/ambrix

# The demo database is generated from the schema and the seed; rebuilt when they change.
examples/demo/db/GLOBAL.MDB: db/schema.sql db/seed/*.sql
	db/create-database --force $@

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
