#include "engine/ops/composite/draw_lines.h"

#include "engine/ops/palette/nearest_colour.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace vask {
namespace {

// A pixel belongs to a shape when its centre lies inside or on the edge (within kEdge): a
// rule that gives a shape and its mirror image the same pixels.
constexpr double kEdge = 1e-7;

struct Vec {
    double x = 0;
    double y = 0;
};

Vec operator+(Vec a, Vec b)
{
    return {a.x + b.x, a.y + b.y};
}
Vec operator-(Vec a, Vec b)
{
    return {a.x - b.x, a.y - b.y};
}
Vec operator*(Vec a, double s)
{
    return {a.x * s, a.y * s};
}
double length(Vec a)
{
    return std::hypot(a.x, a.y);
}

// Writes spans and pixels in one colour (or palette index), clipped to the picture.
class Canvas {
public:
    Canvas(Image& image, Rgb colour) : m_image(image)
    {
        if (image.isTrueColour())
            m_value = colour | 0xFF000000u;
        else
            m_value = NearestColour(image.palette()).indexOf(colour);
    }

    int width() const { return m_image.width(); }
    int height() const { return m_image.height(); }

    void pixel(std::int64_t x, std::int64_t y)
    {
        if (x >= 0 && y >= 0 && x < m_image.width() && y < m_image.height())
            span(static_cast<int>(y), static_cast<int>(x), static_cast<int>(x));
    }

    // Pixels whose centres lie in [left, right] on row y.
    void span(int y, double left, double right)
    {
        const double first = std::max(0.0, std::ceil(left - kEdge));
        const double last = std::min(double(m_image.width() - 1), std::floor(right + kEdge));
        if (y < 0 || y >= m_image.height() || first > last)
            return;
        span(y, static_cast<int>(first), static_cast<int>(last));
    }

    void span(int y, int first, int last)
    {
        if (m_image.isTrueColour())
            std::fill(m_image.rgbRow(y) + first, m_image.rgbRow(y) + last + 1, m_value);
        else
            std::memset(m_image.row(y) + first, static_cast<int>(m_value),
                        static_cast<std::size_t>(last - first + 1));
    }

    // The rows of the picture that [top, bottom] reaches, as an empty range when none.
    void rowRange(double top, double bottom, int& first, int& last) const
    {
        first = static_cast<int>(std::max(0.0, std::ceil(top - kEdge)));
        last = static_cast<int>(std::min(double(m_image.height() - 1), std::floor(bottom + kEdge)));
    }

private:
    Image& m_image;
    Rgb m_value = 0;
};

// Bresenham's line from (x0, y0) to (x1, y1), both ends included: along the longer axis each
// step sets one pixel whose other coordinate is the exact one rounded (halves away from the
// start). Only the steps inside the picture's extent are walked, so far points cost nothing;
// 128-bit arithmetic finds the first visible step of a line whose ends are far apart.
void thinSegment(Canvas& canvas, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1)
{
    const std::int64_t dx = x1 - x0, dy = y1 - y0;
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t span = xMajor ? std::llabs(dx) : std::llabs(dy);
    const std::int64_t other = xMajor ? std::llabs(dy) : std::llabs(dx);
    if (span == 0) {
        canvas.pixel(x0, y0);
        return;
    }
    const std::int64_t major0 = xMajor ? x0 : y0, minor0 = xMajor ? y0 : x0;
    const int majorStep = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const int minorStep = (xMajor ? dy : dx) >= 0 ? 1 : -1;
    const std::int64_t majorLast = (xMajor ? canvas.width() : canvas.height()) - 1;
    std::int64_t tFirst, tLast;
    if (majorStep > 0) {
        tFirst = std::max<std::int64_t>(0, -major0);
        tLast = std::min(span, majorLast - major0);
    } else {
        tFirst = std::max<std::int64_t>(0, major0 - majorLast);
        tLast = std::min(span, major0);
    }
    if (tFirst > tLast)
        return;
    __extension__ using Wide = __int128;
    const std::int64_t denominator = 2 * span;
    const Wide numerator = Wide(2) * tFirst * other + span;
    std::int64_t q = static_cast<std::int64_t>(numerator / denominator);
    std::int64_t r = static_cast<std::int64_t>(numerator % denominator);
    for (std::int64_t t = tFirst; t <= tLast; ++t) {
        const std::int64_t major = major0 + majorStep * t;
        const std::int64_t minor = minor0 + minorStep * q;
        if (xMajor)
            canvas.pixel(major, minor);
        else
            canvas.pixel(minor, major);
        r += 2 * other;
        if (r >= denominator) {
            r -= denominator;
            ++q;
        }
    }
}

// A convex polygon, filled row by row at pixel centres.
void fillConvex(Canvas& canvas, const Vec* vertices, int count)
{
    double top = vertices[0].y, bottom = vertices[0].y;
    for (int i = 1; i < count; ++i) {
        top = std::min(top, vertices[i].y);
        bottom = std::max(bottom, vertices[i].y);
    }
    int firstRow, lastRow;
    canvas.rowRange(top, bottom, firstRow, lastRow);
    for (int y = firstRow; y <= lastRow; ++y) {
        double left = INFINITY, right = -INFINITY;
        for (int i = 0; i < count; ++i) {
            const Vec a = vertices[i], b = vertices[(i + 1) % count];
            const double low = std::min(a.y, b.y), high = std::max(a.y, b.y);
            if (y < low - kEdge || y > high + kEdge)
                continue;
            if (high - low < kEdge) {
                left = std::min({left, a.x, b.x});
                right = std::max({right, a.x, b.x});
                continue;
            }
            const double x = a.x + (std::clamp<double>(y, low, high) - a.y) * (b.x - a.x) / (b.y - a.y);
            left = std::min(left, x);
            right = std::max(right, x);
        }
        if (left <= right)
            canvas.span(y, left, right);
    }
}

void fillDisc(Canvas& canvas, Vec centre, double radius)
{
    int firstRow, lastRow;
    canvas.rowRange(centre.y - radius, centre.y + radius, firstRow, lastRow);
    for (int y = firstRow; y <= lastRow; ++y) {
        const double dy = y - centre.y;
        const double half = std::sqrt(std::max(0.0, radius * radius - dy * dy));
        canvas.span(y, centre.x - half, centre.x + half);
    }
}

// Removes `distance` of path length from the start (fromEnd false) or the end; a path with
// nothing left becomes empty.
void trimPath(std::vector<Vec>& path, double distance, bool fromEnd)
{
    if (fromEnd)
        std::reverse(path.begin(), path.end());
    std::size_t first = 0;
    while (first + 1 < path.size()) {
        const double segment = length(path[first + 1] - path[first]);
        if (segment <= distance) {
            distance -= segment;
            ++first;
            continue;
        }
        path[first] = path[first] + (path[first + 1] - path[first]) * (distance / segment);
        break;
    }
    path.erase(path.begin(), path.begin() + static_cast<std::ptrdiff_t>(first));
    if (path.size() < 2)
        path.clear();
    if (fromEnd)
        std::reverse(path.begin(), path.end());
}

// The arrow head at path.back() pointing along the last segment of non-zero length.
bool headAtEnd(const std::vector<Vec>& path, double headLength, double headHalfWidth, Vec (&triangle)[3])
{
    const Vec tip = path.back();
    for (std::size_t i = path.size() - 1; i-- > 0;) {
        const Vec along = tip - path[i];
        const double d = length(along);
        if (d == 0)
            continue;
        const Vec unit = along * (1 / d);
        const Vec normal{-unit.y, unit.x};
        const Vec base = tip - unit * headLength;
        triangle[0] = tip;
        triangle[1] = base + normal * headHalfWidth;
        triangle[2] = base - normal * headHalfWidth;
        return true;
    }
    return false;
}

} // namespace

void drawLines(Image& image, std::span<const Point> points, int width, Rgb colour, ArrowHeads arrows)
{
    if (image.isNull() || points.empty())
        return;
    Canvas canvas(image, colour);
    const bool thin = width <= 1;
    const double pen = thin ? 1.0 : double(width);
    // Even widths sit a quarter pixel up and left so that an axis-aligned line covers exactly
    // `width` rows or columns; odd widths are centred on the pixel.
    const double shift = !thin && width % 2 == 0 ? -0.25 : 0.0;
    std::vector<Vec> path;
    path.reserve(points.size());
    for (const Point& p : points)
        path.push_back({p.x + shift, p.y + shift});

    const bool endHead = arrows == ArrowHeads::AtEnd || arrows == ArrowHeads::AtBothEnds;
    const bool startHead = arrows == ArrowHeads::AtBothEnds;
    const double headLength = std::max(10.0, 4 * pen);
    const double headHalfWidth = std::max(4.0, 2 * pen);
    Vec endTriangle[3], startTriangle[3];
    const bool drawEnd = endHead && headAtEnd(path, headLength, headHalfWidth, endTriangle);
    bool drawStart = false;
    if (startHead) {
        std::vector<Vec> reversed(path.rbegin(), path.rend());
        drawStart = headAtEnd(reversed, headLength, headHalfWidth, startTriangle);
    }
    // The line stops at the base of each head, so it cannot poke through the tip.
    if (drawEnd)
        trimPath(path, headLength, true);
    if (drawStart)
        trimPath(path, headLength, false);

    if (thin) {
        // Trimmed ends are rounded to the nearest pixel; the given points are exact.
        auto pixelOf = [](double v) { return static_cast<std::int64_t>(std::llround(v)); };
        if (path.size() == 1)
            canvas.pixel(pixelOf(path[0].x), pixelOf(path[0].y));
        for (std::size_t i = 0; i + 1 < path.size(); ++i)
            thinSegment(canvas, pixelOf(path[i].x), pixelOf(path[i].y), pixelOf(path[i + 1].x),
                        pixelOf(path[i + 1].y));
    } else {
        // Round joins and round caps: a disc of the pen's width at every point.
        const double half = pen / 2;
        for (const Vec& p : path)
            fillDisc(canvas, p, half);
        for (std::size_t i = 0; i + 1 < path.size(); ++i) {
            const Vec along = path[i + 1] - path[i];
            const double d = length(along);
            if (d == 0)
                continue;
            const Vec offset = Vec{-along.y, along.x} * (half / d);
            const Vec quad[4] = {path[i] + offset, path[i + 1] + offset, path[i + 1] - offset,
                                 path[i] - offset};
            fillConvex(canvas, quad, 4);
        }
    }
    if (drawEnd)
        fillConvex(canvas, endTriangle, 3);
    if (drawStart)
        fillConvex(canvas, startTriangle, 3);
}

} // namespace vask
