# Thin wrapper over the CMake presets; CMake is the build.
#   make run     build and run tickbench
#   make test    build and run every test suite this machine can build
#   make run32   build and run the 32-bit (IA-32) program
#   make bench   run tickbench repeatedly and summarise its figures

.PHONY: run run32 test bench format clean

run:
	cmake --preset native
	cmake --build --preset native --target tickbench
	@./build/native/tickbench; echo "(exit status $$?)"

run32:
	cmake --preset ia32
	cmake --build --preset ia32 --target tickbench
	@./build/ia32/tickbench; echo "(exit status $$?)"

bench:
	cmake --preset native
	cmake --build --preset native --target tickbench
	python3 bench/bench.py ./build/native/tickbench 20

test:
	./tests/run_all_suites.sh

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build
