// A 16-colour drawing surface for the program's pictures, with the few shapes they need.
#pragma once

#include <stdint.h>

#include <functional>
#include <vector>

// Indices of the standard 16-colour palette of the bitmaps.
enum Colour : uint8_t {
    Black = 0,
    Maroon = 1,
    Green = 2,
    Olive = 3,
    Navy = 4,
    Purple = 5,
    Teal = 6,
    Silver = 7,
    Grey = 8,
    Red = 9,
    Lime = 10,
    Yellow = 11,
    Blue = 12,
    Fuchsia = 13,
    Aqua = 14,
    White = 15,
};

constexpr double Pi = 3.14159265358979323846;

struct Point {
    double x, y;
};

// Pixel (x, y) covers [x, x + 1) x [y, y + 1); shapes are tested at pixel centres.
using Shape = std::function<bool(double x, double y)>;

struct Canvas {
    int width, height;
    std::vector<uint8_t> pixels; // palette indices, top row first

    Canvas(int w, int h, uint8_t background) : width(w), height(h), pixels(w * h, background) {}
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    uint8_t at(int x, int y) const { return pixels[y * width + x]; }
    void set(int x, int y, uint8_t c) {
        if (inside(x, y))
            pixels[y * width + x] = c;
    }
};

// One bit per pixel: which pixels a shape covers.
struct Mask {
    int width, height;
    std::vector<uint8_t> bits;

    Mask(int w, int h) : width(w), height(h), bits(w * h, 0) {}
    bool at(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height && bits[y * width + x];
    }
    void set(int x, int y, bool on = true) {
        if (x >= 0 && y >= 0 && x < width && y < height)
            bits[y * width + x] = on;
    }
};

Mask maskOf(int width, int height, const Shape &shape);
Mask unite(const Mask &a, const Mask &b);
Mask subtract(const Mask &a, const Mask &b);
// The pixels of the mask that touch a pixel outside it (4-neighbourhood).
Mask edgeOf(const Mask &mask);
// The mask grown by one pixel in the 8-neighbourhood.
Mask grow(const Mask &mask);

void paint(Canvas &canvas, const Mask &mask, uint8_t colour);
// Fills the mask and draws its one-pixel inner border in the outline colour.
void paintOutlined(Canvas &canvas, const Mask &mask, uint8_t fill, uint8_t outline);

// Shapes
Shape disc(double cx, double cy, double r);
Shape ellipseShape(double cx, double cy, double rx, double ry);
Shape rectShape(double left, double top, double right, double bottom);
Shape polygonShape(std::vector<Point> points);
// A round pen of radius r drawn along the polyline.
Shape strokeShape(std::vector<Point> points, double r);
// The ring between two ellipses with the same centre.
Shape ellipseRing(double cx, double cy, double rx, double ry, double thickness);

// Catmull-Rom interpolation through the points, nrSteps segments between each pair.
std::vector<Point> smoothCurve(const std::vector<Point> &points, int nrSteps);
