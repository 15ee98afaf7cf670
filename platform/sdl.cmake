# The desktop backend: SDL2 windows, input, sound and clipboard under the window manager.
find_package(SDL2 REQUIRED)
find_package(X11)

# Parts that need no window manager (display start-up, key and event translation, tones), so
# that their tests link them alone.
add_library(quillmere_sdl_parts OBJECT
    sdl_display.cpp
    sdl_events.cpp
    sdl_keys.cpp
    sdl_audio.cpp)
# The rest talks to the window manager through backend.h.
add_library(quillmere_sdl_backend OBJECT
    sdl_window.cpp
    sdl_input.cpp
    sdl_clipboard.cpp)
foreach(part quillmere_sdl_parts quillmere_sdl_backend)
    target_link_libraries(${part} PUBLIC SDL2::SDL2)
    if(X11_FOUND)
        # X11 itself only to tell whether a window manager runs and to map a window iconified.
        target_compile_definitions(${part} PRIVATE QUILLMERE_SDL_X11)
        target_link_libraries(${part} PUBLIC X11::X11)
    endif()
endforeach()

if(TARGET quillmere_window_objects)
    add_library(quillmere_sdl STATIC
        $<TARGET_OBJECTS:quillmere_window_objects>
        $<TARGET_OBJECTS:quillmere_sdl_parts>
        $<TARGET_OBJECTS:quillmere_sdl_backend>)
    target_link_libraries(quillmere_sdl PUBLIC quillmere_gdi quillmere_resfile
        quillmere_embedded_res quillmere_clock quillmere_support SDL2::SDL2)
    if(X11_FOUND)
        target_link_libraries(quillmere_sdl PUBLIC X11::X11)
    endif()
endif()
