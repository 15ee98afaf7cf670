// The maker's logo: "Ordanel Software" in a slanted hand over an oval framing jagged
// mountains with blue streaks, black line work on white.
#include "tools/pixels/pictures.h"

#include <math.h>
#include <string.h>

namespace {

const int LogoWidth = 320, LogoHeight = 240;

// A letter of the hand: strokes in units of the x-height, y up from the baseline.
// Smooth strokes are drawn as curves through their points, the others as straight lines.
struct Stroke {
    bool smooth;
    std::vector<Point> points;
};

struct Glyph {
    char letter;
    double advance;
    std::vector<Stroke> strokes;
};

const std::vector<Glyph> &hand() {
    static const std::vector<Glyph> glyphs = {
        {'O',
         1.75,
         {{true,
           {{1.0, 1.95},
            {0.5, 1.9},
            {0.12, 1.45},
            {0.05, 0.8},
            {0.3, 0.15},
            {0.8, 0.0},
            {1.3, 0.3},
            {1.5, 1.0},
            {1.35, 1.7},
            {0.95, 2.0},
            {0.55, 1.85},
            {0.7, 1.7}}}}},
        {'r',
         0.75,
         {{true, {{0.0, 0.0}, {0.12, 0.5}, {0.2, 1.0}}},
          {true, {{0.2, 1.0}, {0.25, 0.55}, {0.22, 0.0}}},
          {true, {{0.24, 0.55}, {0.4, 0.9}, {0.6, 1.0}, {0.75, 0.85}}}}},
        {'d',
         1.1,
         {{true,
           {{0.85, 0.8},
            {0.55, 1.0},
            {0.2, 0.85},
            {0.05, 0.4},
            {0.25, 0.0},
            {0.6, 0.15},
            {0.85, 0.55}}},
          {true, {{1.05, 2.05}, {0.9, 1.2}, {0.85, 0.3}, {0.95, 0.0}, {1.15, 0.1}}}}},
        {'a',
         1.05,
         {{true,
           {{0.85, 0.8},
            {0.55, 1.0},
            {0.2, 0.85},
            {0.05, 0.4},
            {0.25, 0.0},
            {0.6, 0.15},
            {0.85, 0.55}}},
          {true, {{0.88, 1.0}, {0.85, 0.3}, {0.95, 0.0}, {1.1, 0.1}}}}},
        {'n',
         1.05,
         {{true, {{0.0, 0.0}, {0.08, 0.6}, {0.1, 1.0}}},
          {true, {{0.1, 1.0}, {0.12, 0.5}, {0.1, 0.0}}},
          {true,
           {{0.12, 0.45},
            {0.3, 0.85},
            {0.55, 1.0},
            {0.75, 0.8},
            {0.75, 0.2},
            {0.9, 0.0},
            {1.05, 0.1}}}}},
        {'e',
         0.9,
         {{true,
           {{0.05, 0.4},
            {0.45, 0.55},
            {0.7, 0.8},
            {0.55, 1.0},
            {0.25, 0.9},
            {0.05, 0.5},
            {0.15, 0.1},
            {0.45, 0.0},
            {0.85, 0.15}}}}},
        {'l',
         0.7,
         {{true,
           {{0.0, 0.1},
            {0.35, 0.9},
            {0.55, 1.6},
            {0.5, 2.05},
            {0.3, 1.85},
            {0.22, 1.0},
            {0.22, 0.25},
            {0.4, 0.0},
            {0.7, 0.1}}}}},
        {' ', 0.7, {}},
        {'S',
         1.35,
         {{true,
           {{1.25, 1.75},
            {0.95, 2.0},
            {0.5, 1.95},
            {0.25, 1.6},
            {0.45, 1.2},
            {0.9, 0.95},
            {1.1, 0.5},
            {0.9, 0.1},
            {0.45, 0.0},
            {0.1, 0.25}}}}},
        {'o',
         1.0,
         {{true,
           {{0.5, 1.0},
            {0.15, 0.8},
            {0.05, 0.35},
            {0.3, 0.0},
            {0.65, 0.1},
            {0.75, 0.55},
            {0.55, 0.95},
            {0.5, 0.9},
            {0.75, 0.85},
            {1.0, 0.95}}}}},
        {'f',
         0.65,
         {{true, {{0.85, 1.85}, {0.6, 2.05}, {0.35, 1.8}, {0.28, 1.0}, {0.22, 0.0}, {0.1, -0.7}}},
          {false, {{0.0, 0.95}, {0.65, 1.0}}}}},
        {'t',
         0.75,
         {{true, {{0.4, 1.65}, {0.33, 0.8}, {0.3, 0.2}, {0.45, 0.0}, {0.7, 0.1}}},
          {false, {{0.05, 1.0}, {0.75, 1.05}}}}},
        {'w',
         1.05,
         {{false, {{0.0, 1.0}, {0.18, 0.0}, {0.45, 0.75}, {0.68, 0.0}, {0.9, 1.0}, {1.05, 1.05}}}}},
    };
    return glyphs;
}

const Glyph *glyphFor(char letter) {
    for (const Glyph &g : hand())
        if (g.letter == letter)
            return &g;
    return nullptr;
}

// The pen's path of a text: each stroke as a polyline in pixels.
std::vector<std::vector<Point>> lettering(const char *text, double left, double baseline,
                                          double xHeight, double slant) {
    std::vector<std::vector<Point>> paths;
    double pen = left;
    for (const char *c = text; *c; ++c) {
        const Glyph *g = glyphFor(*c);
        if (!g)
            continue;
        for (const Stroke &s : g->strokes) {
            std::vector<Point> pts;
            for (const Point &p : s.points)
                pts.push_back({pen + (p.x + slant * p.y) * xHeight, baseline - p.y * xHeight});
            paths.push_back(s.smooth ? smoothCurve(pts, 8) : pts);
        }
        pen += g->advance * xHeight;
    }
    return paths;
}

double textWidth(const char *text) {
    double w = 0;
    for (const char *c = text; *c; ++c)
        if (const Glyph *g = glyphFor(*c))
            w += g->advance;
    return w;
}

void drawPath(Canvas &c, const std::vector<Point> &path, double r, uint8_t colour,
              const Shape &clip) {
    const Shape pen = strokeShape(path, r);
    double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
    for (const Point &p : path) {
        minX = fmin(minX, p.x), minY = fmin(minY, p.y);
        maxX = fmax(maxX, p.x), maxY = fmax(maxY, p.y);
    }
    for (int y = int(minY - r - 1); y <= int(maxY + r + 1); ++y)
        for (int x = int(minX - r - 1); x <= int(maxX + r + 1); ++x)
            if (c.inside(x, y) && clip(x + 0.5, y + 0.5) && pen(x + 0.5, y + 0.5))
                c.set(x, y, colour);
}

// Streaks along a slope, below the ridge from a to b.
void streaks(Canvas &c, Point a, Point b, int nrStreaks, const Shape &clip) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    for (int i = 0; i < nrStreaks; ++i) {
        const double t0 = 0.18 + 0.08 * i, t1 = 0.5 + 0.1 * i, drop = 7.0 + 7.0 * i;
        drawPath(c, {{a.x + dx * t0, a.y + dy * t0 + drop}, {a.x + dx * t1, a.y + dy * t1 + drop}},
                 1.4, Blue, clip);
    }
}

} // namespace

Canvas drawLogo() {
    Canvas c(LogoWidth, LogoHeight, White);
    const Shape everywhere = [](double, double) { return true; };

    // The maker's name across the top.
    const char *name = "Ordanel Software";
    const double xHeight = 19, slant = 0.28;
    const double left = (LogoWidth - textWidth(name) * xHeight) / 2 - 4;
    for (const auto &path : lettering(name, left, 56, xHeight, slant))
        drawPath(c, path, 2.3, Black, everywhere);

    // The oval frame.
    const double cx = 160, cy = 154, rx = 148, ry = 80;
    paint(c, maskOf(LogoWidth, LogoHeight, ellipseRing(cx, cy, rx, ry, 5)), Black);
    const Shape within = ellipseShape(cx, cy, rx - 8, ry - 8);

    // Two jagged ranges, the far one with streaked slopes.
    const std::vector<Point> far = {{10, 196},  {42, 160},  {58, 170},  {84, 126},  {98, 140},
                                    {124, 100}, {138, 118}, {158, 88},  {176, 116}, {196, 104},
                                    {218, 136}, {242, 110}, {262, 138}, {284, 128}, {312, 180}};
    const std::vector<Point> near = {{10, 214},  {52, 182},  {70, 196},  {104, 162},
                                     {126, 188}, {164, 150}, {192, 184}, {226, 160},
                                     {252, 186}, {276, 172}, {312, 206}};
    drawPath(c, far, 2.0, Black, within);
    drawPath(c, near, 2.0, Black, within);
    for (size_t i = 1; i + 1 < far.size(); ++i)
        if (far[i].y < far[i - 1].y && far[i].y < far[i + 1].y) {
            streaks(c, far[i], far[i + 1], 3, within);
            streaks(c, far[i], far[i - 1], 1, within);
        }
    for (size_t i = 1; i + 1 < near.size(); ++i)
        if (near[i].y < near[i - 1].y && near[i].y < near[i + 1].y)
            streaks(c, near[i], near[i + 1], 2, within);

    // Water at the foot of the mountains.
    const double lake[][3] = {
        {60, 212, 120}, {120, 219, 210}, {80, 225, 150}, {170, 225, 250}, {110, 231, 200}};
    for (const auto &l : lake)
        drawPath(c, {{l[0], l[1]}, {l[2], l[1]}}, 1.3, Blue, within);
    return c;
}
