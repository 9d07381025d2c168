# Slide pictures through the velmora command against soffice + pdftoppm run
# by hand on the same deck. Included from bench/CMakeLists.txt.
if(TARGET velmora_render AND TARGET velmora)
  add_executable(velmora_bench_render
    ${CMAKE_CURRENT_LIST_DIR}/render_bench.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../tests/render/SampleDeck.cpp)
  target_link_libraries(velmora_bench_render PRIVATE velmora_render velmora_benchdecks)
  target_compile_definitions(velmora_bench_render PRIVATE VELMORA_BIN="$<TARGET_FILE:velmora>")
  add_dependencies(velmora_bench_render velmora)
endif()

# Start-up of the command line, which must not bring the rendering libraries.
if(TARGET velmora_render AND TARGET velmora)
  add_executable(velmora_bench_startup ${CMAKE_CURRENT_LIST_DIR}/startup_bench.cpp)
  target_link_libraries(velmora_bench_startup PRIVATE velmora_render)
endif()
