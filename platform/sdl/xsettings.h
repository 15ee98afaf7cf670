// The desktop's sound settings, as its settings daemon publishes them to X11 programs
// (XSETTINGS: GNOME's, Xfce's, or xsettingsd). GTK passes the same two to libcanberra.
#pragma once

#include <stddef.h>
#include <string>

struct EventSoundSettings {
    bool enabled = true; // Net/EnableEventSounds: off when the user switched event sounds off
    std::string theme;   // Net/SoundThemeName, empty when not set
};

// What the desktop says now; the defaults without X11 or without a settings daemon.
EventSoundSettings desktopEventSoundSettings();

// Reads the two settings from the bytes of an _XSETTINGS_SETTINGS property into *settings,
// leaving the others as they are. False when the bytes are not a well-formed list.
bool parseXSettings(const unsigned char *data, size_t size, EventSoundSettings *settings);
