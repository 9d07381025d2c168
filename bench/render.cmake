# Slide pictures through velmora_render against soffice + pdftoppm run by
# hand on the same deck. Included from bench/CMakeLists.txt.
if(TARGET velmora_render)
  add_executable(render_bench
    ${CMAKE_CURRENT_LIST_DIR}/render_bench.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../tests/render/SampleDeck.cpp)
  target_link_libraries(render_bench PRIVATE velmora_render)
endif()
