# Helpers shared by the top-level CMakeLists.

# Warnings are errors in both presets. -Wrestrict is off: GCC 12 reports
# false overlaps inside std::string's own copies at -O3 (GCC bug 105329).
function(pilotune_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wno-unused-parameter
                         -Wno-missing-field-initializers -Wno-restrict -Wno-dangling-else -Werror)
endfunction()

# Compile and link settings of every Windows binary: Unicode, Windows 7 API
# level, static runtime so the folder runs anywhere with no extra DLL.
function(pilotune_win32_settings target)
  target_compile_definitions(${target} PUBLIC UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN
                                              _WIN32_WINNT=0x0601 WINVER=0x0601)
  target_link_options(${target} PUBLIC -static -static-libgcc -static-libstdc++
                      $<$<CONFIG:Release>:-s -Wl,--gc-sections>)
  # -O2 after the release flags' -O3: the program waits on the player and on
  # Windows, not on its own loops, and -O3's inlining and unrolling only made
  # it larger.
  target_compile_options(${target} PUBLIC
                         $<$<CONFIG:Release>:-O2 -ffunction-sections -fdata-sections>)
  target_link_libraries(${target} PUBLIC comctl32 comdlg32 shell32 shlwapi ole32 uuid gdi32 user32
                                         advapi32 version urlmon wininet winmm ws2_32)
endfunction()

# tests/native/<group>/*.cpp -> one GoogleTest binary per group, run natively.
function(pilotune_native_tests)
  file(GLOB groups LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*)
  foreach(dir ${groups})
    if(IS_DIRECTORY ${dir})
      get_filename_component(group ${dir} NAME)
      file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
      if(srcs)
        add_executable(test_${group} ${srcs})
        target_link_libraries(test_${group} PRIVATE pilotune_portable_files GTest::gtest_main GTest::gmock)
        target_include_directories(test_${group} PRIVATE ${CMAKE_SOURCE_DIR}/tests/native/common ${CMAKE_SOURCE_DIR}/tests/common)
        pilotune_warnings(test_${group})
        add_test(NAME native.${group} COMMAND test_${group})
        set_tests_properties(native.${group} PROPERTIES ENVIRONMENT
                             "PILOTUNE_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
      endif()
    endif()
  endforeach()
endfunction()

# The include rules of src/ (layers, portable or Win32), and a test that the
# check catches planted faults.
function(pilotune_layer_tests)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  add_test(NAME native.layers COMMAND ${Python3_EXECUTABLE}
           ${CMAKE_SOURCE_DIR}/tools/layers/check-layers)
  add_test(NAME native.layers_check_catches_faults COMMAND bash
           ${CMAKE_SOURCE_DIR}/tools/layers/test-check-layers.sh)
endfunction()

# bench/*.cpp -> one Google Benchmark binary each (run on demand, never by ctest).
function(pilotune_native_benchmarks)
  file(GLOB benches CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
  find_library(INIH_LIBRARY NAMES inih)
  foreach(src ${benches})
    get_filename_component(name ${src} NAME_WE)
    add_executable(bench_${name} ${src})
    target_link_libraries(bench_${name} PRIVATE pilotune_portable_files benchmark::benchmark)
    pilotune_warnings(bench_${name})
    if(INIH_LIBRARY)
      target_link_libraries(bench_${name} PRIVATE ${INIH_LIBRARY})
      target_compile_definitions(bench_${name} PRIVATE HAVE_INIH=1)
    endif()
  endforeach()
endfunction()

# tests/windows/<group>/*.cpp -> one GoogleTest .exe per group, run under Wine
# (CMAKE_CROSSCOMPILING_EMULATOR). Each binary lands in build/windows/tests/<group>/
# so that files it writes beside itself stay private to it. Every test binary
# carries the version resource of tests/windows/common.
function(pilotune_windows_tests)
  # tests/e2e/*.sh: end-to-end scenarios of the real program under Wine and Xvfb.
  file(GLOB scenarios CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.sh)
  foreach(script ${scenarios})
    get_filename_component(name ${script} NAME_WE)
    add_test(NAME e2e.${name} COMMAND bash ${script} ${CMAKE_BINARY_DIR})
  endforeach()
  file(GLOB common_srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/windows/common/*.cpp)
  file(GLOB groups LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/windows/*)
  foreach(dir ${groups})
    get_filename_component(group ${dir} NAME)
    if(IS_DIRECTORY ${dir} AND NOT group STREQUAL "common")
      file(GLOB srcs CONFIGURE_DEPENDS ${dir}/*.cpp)
      if(srcs)
        add_executable(wintest_${group} ${srcs} ${common_srcs}
                       ${CMAKE_SOURCE_DIR}/tests/windows/common/version.rc)
        target_link_libraries(wintest_${group} PRIVATE pilotune_win32 pilotune_portable_files gtest gmock)
        target_include_directories(wintest_${group} PRIVATE ${CMAKE_SOURCE_DIR}/tests/windows/common ${CMAKE_SOURCE_DIR}/tests/common)
        target_compile_definitions(wintest_${group} PRIVATE
          PILOTUNE_BUILD_DIR="${CMAKE_BINARY_DIR}")
        pilotune_win32_settings(wintest_${group})
        pilotune_warnings(wintest_${group})
        target_link_libraries(wintest_${group} PRIVATE gtest_main)
        set_target_properties(wintest_${group} PROPERTIES
          RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/${group})
        add_test(NAME windows.${group} COMMAND wintest_${group})
        if(TARGET winamp-sim)
          add_dependencies(wintest_${group} winamp-sim)
        endif()
      endif()
    endif()
  endforeach()
endfunction()

# bench/windows/*.cpp -> one plain .exe each (its own main, timing with
# QueryPerformanceCounter), run under Wine on demand, never by ctest.
function(pilotune_windows_benchmarks)
  file(GLOB benches CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/windows/*.cpp)
  file(GLOB common_srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/windows/common/*.cpp)
  foreach(src ${benches})
    get_filename_component(name ${src} NAME_WE)
    add_executable(winbench_${name} ${src} ${common_srcs})
    target_link_libraries(winbench_${name} PRIVATE pilotune_win32 pilotune_portable_files gtest psapi)
    target_include_directories(winbench_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests/windows/common
                               ${CMAKE_SOURCE_DIR}/tests/common)
    target_compile_definitions(winbench_${name} PRIVATE PILOTUNE_BUILD_DIR="${CMAKE_BINARY_DIR}")
    pilotune_win32_settings(winbench_${name})
    pilotune_warnings(winbench_${name})
    set_target_properties(winbench_${name} PROPERTIES
      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
    if(TARGET winamp-sim)
      add_dependencies(winbench_${name} winamp-sim)
    endif()
  endforeach()
endfunction()
