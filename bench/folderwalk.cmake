# The folder walk over a large temporary tree into the list on screen; needs no office.
add_executable(bench_folder_walk ${CMAKE_CURRENT_LIST_DIR}/FolderWalkBench.cpp)
target_link_libraries(bench_folder_walk PRIVATE quillmere_filelist)
quillmere_warnings(bench_folder_walk)
