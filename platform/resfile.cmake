# The resource reader: finds and decodes resources in a compiled .res image.
add_library(quillmere_resfile STATIC ${CMAKE_CURRENT_LIST_DIR}/resfile.cpp)
target_link_libraries(quillmere_resfile PUBLIC quillmere_support)
