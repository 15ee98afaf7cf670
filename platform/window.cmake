# The window manager (windows, messages, painting, dialogs, controls, menu bar, resources by
# number) as objects that either backend completes, and the headless library for tests.
add_library(quillmere_window_objects OBJECT
    window.cpp
    window_message.cpp
    window_nonclient.cpp
    paint.cpp
    dialog.cpp
    button.cpp
    static.cpp
    edit.cpp
    menu.cpp
    load.cpp
    sleep.cpp)

add_library(quillmere_headless STATIC
    $<TARGET_OBJECTS:quillmere_window_objects>
    headless.cpp)
target_link_libraries(quillmere_headless PUBLIC quillmere_gdi quillmere_resfile
    quillmere_embedded_res quillmere_clock quillmere_support)
