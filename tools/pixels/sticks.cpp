// The stick faces and the frames of the six removal sequences, all 12 x 48 except the wisp.
#include "tools/pixels/pictures.h"

#include <math.h>

namespace {

const int W = 12, H = 48;

// The selected stick's outline: 8 wide, a rounded top, a flat foot.
Shape redStickShape() {
    const Shape cap = disc(6, 14, 4);
    const Shape body = rectShape(2, 14, 10, 46);
    return [=](double x, double y) { return cap(x, y) || body(x, y); };
}

Mask redStickMask() {
    return maskOf(W, H, redStickShape());
}

// Red body, a maroon shade down the right side, a light glint at the top left, black outline.
void paintRedStick(Canvas &c, const Mask &m) {
    paint(c, m, Red);
    for (int y = 0; y < H; ++y)
        for (int x = 7; x < W; ++x)
            if (m.at(x, y))
                c.set(x, y, Maroon);
    for (int y = 13; y < 17; ++y)
        if (m.at(3, y) && m.at(5, y))
            c.set(4, y, White);
    paint(c, edgeOf(m), Black);
}

Canvas redStick() {
    Canvas c(W, H, Silver);
    paintRedStick(c, redStickMask());
    return c;
}

// Punches silver holes with a maroon rim into a red stick.
void punch(Canvas &c, const Mask &stick, const std::vector<Point> &centres, double r) {
    Mask holes(W, H);
    for (const Point &p : centres)
        holes = unite(holes, maskOf(W, H, disc(p.x, p.y, r)));
    const Mask left = subtract(stick, holes);
    c = Canvas(W, H, Silver);
    paintRedStick(c, left);
    const Mask rim = subtract(grow(holes), holes);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (rim.at(x, y) && left.at(x, y) && c.at(x, y) != Black)
                c.set(x, y, Maroon);
}

// A red stick with silver horizontal cuts every rowStep pixels and vertical ones at the given
// columns; the pieces keep their outline.
Canvas gridStick(int rowStep, int rowCut, const std::vector<int> &columns) {
    const Mask stick = redStickMask();
    Mask cuts(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            bool cut = (y - 12) % rowStep < rowCut && y > 12;
            for (int col : columns)
                cut = cut || x == col;
            cuts.set(x, y, cut);
        }
    Canvas c(W, H, Silver);
    const Mask pieces = subtract(stick, cuts);
    paint(c, pieces, Red);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (pieces.at(x, y) && !pieces.at(x + 1, y))
                c.set(x, y, Maroon);
    paint(c, subtract(edgeOf(stick), cuts), Black);
    return c;
}

// An eight-pointed star with alternating long and short rays.
Shape star(double cx, double cy, double rLong, double rShort, double stretchY) {
    std::vector<Point> pts;
    for (int i = 0; i < 16; ++i) {
        const double a = Pi * i / 8, r = i % 2 ? rShort : (i % 4 ? rLong * 0.7 : rLong);
        pts.push_back({cx + r * sin(a), cy - r * cos(a) * stretchY});
    }
    return polygonShape(pts);
}

} // namespace

Canvas drawPresent() {
    // Tall and narrow: 6 wide, the top sharpened to a point over its upper eight pixels.
    const Shape point = polygonShape({{6, 0.5}, {9, 9}, {3, 9}});
    const Shape body = rectShape(3, 8, 9, 47);
    const Mask m = maskOf(W, H, [=](double x, double y) { return point(x, y) || body(x, y); });
    Canvas c(W, H, Silver);
    paint(c, m, Green);
    for (int y = 0; y < H; ++y)
        if (m.at(4, y) && y > 5)
            c.set(4, y, Lime);
    paint(c, edgeOf(m), Black);
    return c;
}

Canvas drawSelected() {
    return redStick();
}

Canvas drawRemoved() {
    return Canvas(W, H, Silver);
}

Canvas drawLightning() {
    Canvas c = redStick();
    const std::vector<Point> bolt = {{10.5, 1}, {4, 17},   {8.5, 19},
                                     {2.5, 33}, {7.5, 35}, {1.5, 47}};
    const Mask core = maskOf(W, H, strokeShape(bolt, 0.9));
    paint(c, subtract(grow(core), core), Black);
    paint(c, core, Yellow);
    for (const Point &p : bolt)
        c.set(int(p.x), int(p.y), White);
    return c;
}

// The holes open where the large ones will be, so the three frames read as one dissolve.
const std::vector<Point> holeCentres = {{6, 17}, {5.5, 25}, {6.5, 33}, {5.5, 40.5}};

Canvas drawHolesFew() {
    Canvas c(W, H, Silver);
    punch(c, redStickMask(), {holeCentres[0], holeCentres[2], holeCentres[3]}, 1.4);
    return c;
}

Canvas drawHolesLarge() {
    Canvas c(W, H, Silver);
    punch(c, redStickMask(), holeCentres, 2.6);
    return c;
}

Canvas drawHolesRemnants() {
    // What the holes left: scattered crumbs of the holed stick, in 2 x 2 blocks.
    const Canvas holed = drawHolesLarge();
    Canvas c(W, H, Silver);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            uint32_t block = uint32_t(x / 2) * 73856093u ^ uint32_t(y / 2) * 19349663u;
            block ^= block >> 13;
            block *= 0x5BD1E995u;
            block ^= block >> 15;
            const uint8_t was = holed.at(x, y);
            if ((block & 0xFF) < 100 && (was == Red || was == Maroon))
                c.set(x, y, was);
        }
    return c;
}

Canvas drawGridCoarse() {
    return gridStick(8, 2, {6});
}

Canvas drawGridFine() {
    return gridStick(4, 1, {4, 7});
}

Canvas drawGridStrips() {
    // Thin vertical strips, every other column, with ragged staggered ends.
    Canvas c(W, H, Silver);
    const int tops[] = {13, 0, 17, 0, 11, 0, 15, 0};
    const int feet[] = {44, 0, 46, 0, 41, 0, 45, 0};
    for (int i = 0; i < 8; i += 2) {
        const int x = 2 + i;
        for (int y = tops[i]; y < feet[i]; ++y) {
            if ((y * 7 + x * 3) % 11 == 0)
                continue; // torn gaps
            c.set(x, y, (y / 3 + i) % 4 == 0 ? Maroon : Red);
        }
    }
    return c;
}

Canvas drawBurstSmall() {
    // Eight short yellow rays around a white spark.
    Canvas c = redStick();
    const Point centre = {6, 28};
    for (int i = 0; i < 8; ++i) {
        const double a = Pi * i / 4, r = i % 2 ? 3.2 : 3.9;
        const Mask ray = maskOf(
            W, H, strokeShape({centre, {centre.x + r * sin(a), centre.y - r * cos(a)}}, 0.6));
        paint(c, ray, Yellow);
    }
    c.set(5, 27, White);
    c.set(6, 27, White);
    c.set(5, 28, White);
    c.set(6, 28, White);
    return c;
}

Canvas drawBurstLarge() {
    Canvas c = redStick();
    const Mask burst = maskOf(W, H, star(6, 27, 6.5, 2.6, 2.2));
    paintOutlined(c, burst, Yellow, Blue);
    paint(c, maskOf(W, H, disc(6, 27, 2)), White);
    return c;
}

Canvas drawCurled() {
    // The stick bent into a bow, its ends turned to the left.
    std::vector<Point> spine;
    for (int i = 0; i <= 20; ++i) {
        const double t = i / 20.0, a = Pi * (0.15 + 0.7 * t);
        spine.push_back({1.5 + 7.5 * sin(a), 24 - 20 * cos(a)});
    }
    const Mask m = maskOf(W, H, strokeShape(spine, 2.2));
    Canvas c(W, H, Silver);
    paintRedStick(c, m);
    return c;
}

Canvas drawFragmentsTwo() {
    Canvas c(W, H, Silver);
    const Mask upper = maskOf(W, H, strokeShape(smoothCurve({{3, 8}, {7, 10}, {9, 15}}, 4), 1.6));
    const Mask lower =
        maskOf(W, H, strokeShape(smoothCurve({{8, 30}, {4, 33}, {3, 38}, {5, 41}}, 4), 1.7));
    paintOutlined(c, upper, Red, Black);
    paintOutlined(c, lower, Red, Black);
    return c;
}

Canvas drawFragmentOne() {
    Canvas c(W, H, Silver);
    const Mask bit = maskOf(W, H, strokeShape(smoothCurve({{4, 20}, {7, 21}, {8, 24}}, 4), 1.4));
    paintOutlined(c, bit, Red, Black);
    return c;
}

Canvas drawWisp() {
    Canvas c(48, 48, White);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 12; ++x)
            c.set(x, y, Silver);
    const Mask wisp =
        maskOf(48, 48, strokeShape(smoothCurve({{3, 9}, {5, 6}, {7, 8}, {9, 4}}, 5), 0.8));
    paint(c, wisp, Red);
    return c;
}

Canvas drawSparks() {
    const Mask m = redStickMask();
    Canvas c(W, H, Silver);
    paint(c, m, Purple);
    for (int y = 0; y < H; ++y)
        if (m.at(3, y) && m.at(4, y) && y > 12)
            c.set(3 + (y / 5) % 2, y, Fuchsia);
    paint(c, edgeOf(m), Black);
    // Crackling arcs, cyan over the stick and blue where they leap off it.
    const std::vector<std::vector<Point>> arcs = {
        {{1, 9}, {3, 12}, {2, 15}, {5, 17}},    {{10, 14}, {8, 18}, {11, 21}},
        {{4, 22}, {7, 25}, {5, 28}, {8, 31}},   {{0, 30}, {2, 33}, {1, 36}},
        {{11, 33}, {9, 37}, {11, 40}, {9, 43}}, {{3, 38}, {6, 41}, {4, 45}},
    };
    for (const auto &arc : arcs)
        for (size_t i = 0; i + 1 < arc.size(); ++i) {
            const Mask seg = maskOf(W, H, strokeShape({arc[i], arc[i + 1]}, 0.5));
            for (int y = 0; y < H; ++y)
                for (int x = 0; x < W; ++x)
                    if (seg.at(x, y))
                        c.set(x, y, m.at(x, y) ? Aqua : Blue);
        }
    c.set(6, 6, Aqua);
    c.set(1, 26, Blue);
    c.set(10, 27, Aqua);
    return c;
}
