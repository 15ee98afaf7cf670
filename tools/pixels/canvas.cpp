#include "tools/pixels/canvas.h"

#include <math.h>

#include <algorithm>
#include <utility>

Mask maskOf(int width, int height, const Shape &shape) {
    Mask m(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            m.set(x, y, shape(x + 0.5, y + 0.5));
    return m;
}

Mask unite(const Mask &a, const Mask &b) {
    Mask m = a;
    for (size_t i = 0; i < m.bits.size(); ++i)
        m.bits[i] = a.bits[i] || b.bits[i];
    return m;
}

Mask subtract(const Mask &a, const Mask &b) {
    Mask m = a;
    for (size_t i = 0; i < m.bits.size(); ++i)
        m.bits[i] = a.bits[i] && !b.bits[i];
    return m;
}

Mask edgeOf(const Mask &mask) {
    Mask m(mask.width, mask.height);
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x)
            if (mask.at(x, y) && (!mask.at(x - 1, y) || !mask.at(x + 1, y) || !mask.at(x, y - 1) ||
                                  !mask.at(x, y + 1)))
                m.set(x, y);
    return m;
}

Mask grow(const Mask &mask) {
    Mask m(mask.width, mask.height);
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x)
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    if (mask.at(x + dx, y + dy))
                        m.set(x, y);
    return m;
}

void paint(Canvas &canvas, const Mask &mask, uint8_t colour) {
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x)
            if (mask.at(x, y))
                canvas.set(x, y, colour);
}

void paintOutlined(Canvas &canvas, const Mask &mask, uint8_t fill, uint8_t outline) {
    paint(canvas, mask, fill);
    paint(canvas, edgeOf(mask), outline);
}

Shape disc(double cx, double cy, double r) {
    return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

Shape ellipseShape(double cx, double cy, double rx, double ry) {
    return [=](double x, double y) {
        const double u = (x - cx) / rx, v = (y - cy) / ry;
        return u * u + v * v <= 1.0;
    };
}

Shape rectShape(double left, double top, double right, double bottom) {
    return [=](double x, double y) { return x >= left && x < right && y >= top && y < bottom; };
}

Shape polygonShape(std::vector<Point> points) {
    return [points = std::move(points)](double x, double y) {
        bool in = false;
        for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const Point &a = points[i], &b = points[j];
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x)
                in = !in;
        }
        return in;
    };
}

namespace {

double distanceToSegment(double x, double y, Point a, Point b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((x - a.x) * dx + (y - a.y) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double px = a.x + t * dx - x, py = a.y + t * dy - y;
    return sqrt(px * px + py * py);
}

} // namespace

Shape strokeShape(std::vector<Point> points, double r) {
    return [points = std::move(points), r](double x, double y) {
        if (points.size() == 1)
            return distanceToSegment(x, y, points[0], points[0]) <= r;
        for (size_t i = 0; i + 1 < points.size(); ++i)
            if (distanceToSegment(x, y, points[i], points[i + 1]) <= r)
                return true;
        return false;
    };
}

Shape ellipseRing(double cx, double cy, double rx, double ry, double thickness) {
    return [=](double x, double y) {
        const double u = (x - cx) / rx, v = (y - cy) / ry;
        const double ui = (x - cx) / (rx - thickness), vi = (y - cy) / (ry - thickness);
        return u * u + v * v <= 1.0 && ui * ui + vi * vi > 1.0;
    };
}

std::vector<Point> smoothCurve(const std::vector<Point> &p, int nrSteps) {
    if (p.size() < 3)
        return p;
    std::vector<Point> out;
    for (size_t i = 0; i + 1 < p.size(); ++i) {
        const Point p0 = p[i == 0 ? 0 : i - 1], p1 = p[i], p2 = p[i + 1];
        const Point p3 = p[i + 2 < p.size() ? i + 2 : i + 1];
        for (int s = 0; s < nrSteps; ++s) {
            const double t = double(s) / nrSteps, t2 = t * t, t3 = t2 * t;
            auto blend = [&](double a, double b, double c, double d) {
                return 0.5 * (2 * b + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2 +
                              (-a + 3 * b - 3 * c + d) * t3);
            };
            out.push_back({blend(p0.x, p1.x, p2.x, p3.x), blend(p0.y, p1.y, p2.y, p3.y)});
        }
    }
    out.push_back(p.back());
    return out;
}
