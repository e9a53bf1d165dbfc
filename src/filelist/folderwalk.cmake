# The folder walk: directory enumeration, natural order and the level-by-level walk, also off the user-interface
# thread. QtCore only, no window.
add_library(quillmere_folderwalk STATIC
    ${CMAKE_CURRENT_LIST_DIR}/FolderEntries.h ${CMAKE_CURRENT_LIST_DIR}/FolderEntries.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NaturalOrder.h ${CMAKE_CURRENT_LIST_DIR}/NaturalOrder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FolderWalk.h ${CMAKE_CURRENT_LIST_DIR}/FolderWalk.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FolderWalkJob.h ${CMAKE_CURRENT_LIST_DIR}/FolderWalkJob.cpp
)
target_include_directories(quillmere_folderwalk PUBLIC "${CMAKE_CURRENT_LIST_DIR}/..")
target_link_libraries(quillmere_folderwalk PUBLIC quillmere_base Qt6::Core)
quillmere_warnings(quillmere_folderwalk)

if(BUILD_TESTING)
    quillmere_gtest(folderwalk_test
        SOURCES ${CMAKE_CURRENT_LIST_DIR}/tests/NaturalOrderTest.cpp ${CMAKE_CURRENT_LIST_DIR}/tests/FolderWalkTest.cpp
        LIBS quillmere_folderwalk quillmere_testsupport)
    # A walk that follows a folder link runs in circles: fail it rather than hang.
    set_tests_properties(folderwalk_test PROPERTIES TIMEOUT 60)
endif()
