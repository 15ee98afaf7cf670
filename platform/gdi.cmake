# GDI: device contexts, bitmaps, blits, fonts through fontconfig and FreeType, text drawing.
find_package(Freetype REQUIRED)
find_package(Fontconfig REQUIRED)
add_library(quillmere_gdi STATIC
    gdi_objects.cpp
    gdi_dc.cpp
    gdi_blit.cpp
    gdi_draw.cpp
    gdi_font.cpp
    font.cpp
    text.cpp)
target_link_libraries(quillmere_gdi PUBLIC quillmere_support PRIVATE Freetype::Freetype
    Fontconfig::Fontconfig)
