#include "tests/support/screen.h"

#include <stdio.h>
#include <stdlib.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "tests/support/process.h"

namespace {

const int toolMs = 20000;

// Reads one whitespace-separated number of a PPM header, skipping comments.
bool headerNumber(std::istream &in, int *value) {
    while (in >> std::ws && in.peek() == '#') {
        std::string comment;
        std::getline(in, comment);
    }
    return static_cast<bool>(in >> *value);
}

bool readPpm(const std::string &path, ScreenPicture *out, std::string *why) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    if (!(in >> magic) || magic != "P6" || !headerNumber(in, &out->width) ||
        !headerNumber(in, &out->height) || !headerNumber(in, &maxValue) || maxValue != 255) {
        *why = path + ": not an 8-bit binary PPM";
        return false;
    }
    in.get();
    std::vector<unsigned char> bytes(static_cast<size_t>(out->width) * out->height * 3);
    if (!in.read(reinterpret_cast<char *>(bytes.data()),
                 static_cast<std::streamsize>(bytes.size()))) {
        *why = path + ": the pixels end early";
        return false;
    }
    out->pixels.resize(static_cast<size_t>(out->width) * out->height);
    for (size_t i = 0; i < out->pixels.size(); ++i) {
        out->pixels[i] =
            (uint32_t(bytes[3 * i]) << 16) | (uint32_t(bytes[3 * i + 1]) << 8) | bytes[3 * i + 2];
    }
    return true;
}

std::vector<std::string> words(const std::string &text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string word; in >> word;) {
        out.push_back(word);
    }
    return out;
}

// The number after a label in a tool's output ("Width:" in xwininfo's).
int valueAfter(const std::string &output, const std::string &label) {
    size_t at = output.find(label);
    return at == std::string::npos ? -1 : atoi(output.c_str() + at + label.size());
}

} // namespace

uint32_t ScreenPicture::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return 0xFF000000u;
    }
    return pixels[static_cast<size_t>(y) * width + x];
}

ScreenPicture ScreenPicture::crop(int left, int top, int cropWidth, int cropHeight) const {
    ScreenPicture part;
    part.width = cropWidth;
    part.height = cropHeight;
    part.pixels.reserve(static_cast<size_t>(cropWidth) * cropHeight);
    for (int y = top; y < top + cropHeight; ++y) {
        for (int x = left; x < left + cropWidth; ++x) {
            part.pixels.push_back(at(x, y));
        }
    }
    return part;
}

bool grabScreen(ScreenPicture *out, std::string *why) {
    char path[] = "/tmp/quillmere-screen-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0) {
        *why = "no temporary file for the screen";
        return false;
    }
    close(fd);
    ProcessResult grabbed = runProcess(
        {"import", "-silent", "-window", "root", "-depth", "8", std::string("ppm:") + path},
        toolMs);
    bool ok = grabbed.status == 0;
    if (!ok) {
        *why = "ImageMagick's import could not read the screen";
    } else {
        ok = readPpm(path, out, why);
    }
    unlink(path);
    return ok;
}

bool savePpm(const ScreenPicture &picture, const std::string &path) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << picture.width << " " << picture.height << "\n255\n";
    for (uint32_t pixel : picture.pixels) {
        const char rgb[3] = {static_cast<char>(pixel >> 16), static_cast<char>(pixel >> 8),
                             static_cast<char>(pixel)};
        out.write(rgb, 3);
    }
    return static_cast<bool>(out);
}

bool findXWindow(const std::string &title, ScreenRect *where, int timeoutMs, unsigned long *id) {
    // xdotool's pattern matches bytes outside ASCII only as any character.
    std::string pattern = title;
    for (char &c : pattern) {
        c = static_cast<unsigned char>(c) < 0x80 ? c : '.';
    }
    for (int waited = 0; waited <= timeoutMs; waited += 100) {
        ProcessResult found =
            runProcess({"xdotool", "search", "--onlyvisible", "--name", pattern}, toolMs);
        for (const std::string &window : words(found.output)) {
            ProcessResult name = runProcess({"xdotool", "getwindowname", window}, toolMs);
            if (name.output != title + "\n") {
                continue; // the search is a case-blind pattern: "quillmere" finds "Quillmere"
            }
            // xwininfo, not xdotool's getwindowgeometry, which under a window manager adds the
            // window's place in its frame to the frame's place a second time.
            ProcessResult shape = runProcess({"xwininfo", "-id", window}, toolMs);
            where->x = valueAfter(shape.output, "Absolute upper-left X:");
            where->y = valueAfter(shape.output, "Absolute upper-left Y:");
            where->width = valueAfter(shape.output, "Width:");
            where->height = valueAfter(shape.output, "Height:");
            if (where->width > 0 && where->height > 0) {
                if (id) {
                    *id = strtoul(window.c_str(), nullptr, 10);
                }
                return true;
            }
        }
        usleep(100000);
    }
    return false;
}

void clickAt(int x, int y) {
    runProcess({"xdotool", "mousemove", std::to_string(x), std::to_string(y), "click", "1"},
               toolMs);
}

void pressKeys(const std::vector<std::string> &keys) {
    for (const std::string &key : keys) {
        runProcess({"xdotool", "key", key}, toolMs);
        usleep(150000);
    }
}

bool waitUntilStill(int timeoutMs, ScreenPicture *still) {
    ScreenPicture last;
    std::string why;
    if (!grabScreen(&last, &why)) {
        return false;
    }
    for (int waited = 0; waited <= timeoutMs; waited += 400) {
        usleep(400000);
        ScreenPicture now;
        if (!grabScreen(&now, &why)) {
            return false;
        }
        if (now == last) {
            *still = now;
            return true;
        }
        last = now;
    }
    return false;
}
