#include "engine/ops/palette/colour_histogram.h"

#include "engine/ops/palette/nearest_colour.h"
#include "engine/ops/palette/slices.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vask {
namespace {

using Cell = ColourHistogram::Cell;

void addColour(Cell* cells, Rgb colour, std::uint64_t weight)
{
    const unsigned r = redOf(colour), g = greenOf(colour), b = blueOf(colour);
    Cell& cell = cells[ColourHistogram::cellOf(r, g, b)];
    cell.count += weight;
    cell.red += weight * r;
    cell.green += weight * g;
    cell.blue += weight * b;
    cell.squares += weight * (r * r + g * g + b * b);
}

// Wu's cumulative moments over the grid with a zero border: entry (r, g, b) holds the sums
// over all cells below or at it, so any box's sums take eight reads.
class Moments {
public:
    static constexpr int kSide = ColourHistogram::kLevels + 1;

    struct Box {
        int r0, r1, g0, g1, b0, b1; // lower bounds exclusive, upper bounds inclusive
        int volume() const { return (r1 - r0) * (g1 - g0) * (b1 - b0); }
    };
    struct Sums {
        double weight = 0, red = 0, green = 0, blue = 0;
        Sums operator-(const Sums& o) const
        {
            return {weight - o.weight, red - o.red, green - o.green, blue - o.blue};
        }
    };

    explicit Moments(const ColourHistogram& histogram)
        : m_weight(kSide * kSide * kSide), m_red(m_weight.size()), m_green(m_weight.size()),
          m_blue(m_weight.size()), m_squares(m_weight.size())
    {
        for (const int c : histogram.used) {
            const Cell& cell = histogram.cells[c];
            const int i = at((c >> 12) + 1, ((c >> 6) & 63) + 1, (c & 63) + 1);
            m_weight[i] = static_cast<std::int64_t>(cell.count);
            m_red[i] = static_cast<std::int64_t>(cell.red);
            m_green[i] = static_cast<std::int64_t>(cell.green);
            m_blue[i] = static_cast<std::int64_t>(cell.blue);
            m_squares[i] = static_cast<double>(cell.squares);
        }
        cumulate(m_weight);
        cumulate(m_red);
        cumulate(m_green);
        cumulate(m_blue);
        cumulate(m_squares);
    }

    Sums sums(const Box& b) const
    {
        return {volume(b, m_weight), volume(b, m_red), volume(b, m_green), volume(b, m_blue)};
    }

    // Summed squared distance of the box's pixels from their mean.
    double variance(const Box& b) const
    {
        const Sums s = sums(b);
        if (s.weight <= 0)
            return 0;
        return volume(b, m_squares) - (s.red * s.red + s.green * s.green + s.blue * s.blue) / s.weight;
    }

    // Splits box in two where the summed squared error drops most; false when it cannot be cut.
    bool cut(Box& box, Box& other) const
    {
        const Sums whole = sums(box);
        double best = -1;
        int bestAxis = -1, bestAt = 0;
        for (int axis = 0; axis < 3; ++axis) {
            const int lo = axis == 0 ? box.r0 : axis == 1 ? box.g0 : box.b0;
            const int hi = axis == 0 ? box.r1 : axis == 1 ? box.g1 : box.b1;
            for (int at = lo + 1; at < hi; ++at) {
                Box lower = box;
                (axis == 0 ? lower.r1 : axis == 1 ? lower.g1 : lower.b1) = at;
                const Sums half = sums(lower);
                const Sums rest = whole - half;
                if (half.weight <= 0 || rest.weight <= 0)
                    continue;
                const double score =
                    (half.red * half.red + half.green * half.green + half.blue * half.blue) / half.weight +
                    (rest.red * rest.red + rest.green * rest.green + rest.blue * rest.blue) / rest.weight;
                if (score > best) {
                    best = score;
                    bestAxis = axis;
                    bestAt = at;
                }
            }
        }
        if (bestAxis < 0)
            return false;
        other = box;
        if (bestAxis == 0)
            box.r1 = other.r0 = bestAt;
        else if (bestAxis == 1)
            box.g1 = other.g0 = bestAt;
        else
            box.b1 = other.b0 = bestAt;
        return true;
    }

private:
    static int at(int r, int g, int b) { return (r * kSide + g) * kSide + b; }

    template <typename T> static void cumulate(std::vector<T>& m)
    {
        std::array<T, kSide> area;
        for (int r = 1; r < kSide; ++r) {
            area.fill(T(0));
            for (int g = 1; g < kSide; ++g) {
                T line = 0;
                for (int b = 1; b < kSide; ++b) {
                    line += m[at(r, g, b)];
                    area[b] += line;
                    m[at(r, g, b)] = m[at(r - 1, g, b)] + area[b];
                }
            }
        }
    }

    template <typename T> static double volume(const Box& b, const std::vector<T>& m)
    {
        return double(m[at(b.r1, b.g1, b.b1)] - m[at(b.r1, b.g1, b.b0)] - m[at(b.r1, b.g0, b.b1)] +
                      m[at(b.r1, b.g0, b.b0)] - m[at(b.r0, b.g1, b.b1)] + m[at(b.r0, b.g1, b.b0)] +
                      m[at(b.r0, b.g0, b.b1)] - m[at(b.r0, b.g0, b.b0)]);
    }

    std::vector<std::int64_t> m_weight, m_red, m_green, m_blue;
    std::vector<double> m_squares;
};

Rgb roundedColour(double r, double g, double b)
{
    return packRgb(clampToByte(int(std::lround(r))), clampToByte(int(std::lround(g))),
                   clampToByte(int(std::lround(b))));
}

std::vector<Rgb> cutBoxes(const ColourHistogram& histogram, int count)
{
    const Moments moments(histogram);
    const int n = Moments::kSide - 1;
    std::vector<Moments::Box> boxes{{0, n, 0, n, 0, n}};
    std::vector<double> spread{moments.variance(boxes[0])};
    while (static_cast<int>(boxes.size()) < count) {
        const auto worst = std::max_element(spread.begin(), spread.end()) - spread.begin();
        if (spread[worst] <= 0)
            break;
        Moments::Box other{};
        if (!moments.cut(boxes[worst], other)) {
            spread[worst] = 0;
            continue;
        }
        boxes.push_back(other);
        spread[worst] = boxes[worst].volume() > 1 ? moments.variance(boxes[worst]) : 0;
        spread.push_back(other.volume() > 1 ? moments.variance(other) : 0);
    }
    std::vector<Rgb> palette;
    for (const auto& box : boxes) {
        const Moments::Sums s = moments.sums(box);
        if (s.weight > 0)
            palette.push_back(roundedColour(s.red / s.weight, s.green / s.weight, s.blue / s.weight));
    }
    return palette;
}

// One k-means pass: every occupied cell joins its nearest entry, every entry moves to the mean
// of the pixels that joined it (an entry nobody joined stays where it is).
void refine(std::vector<Rgb>& palette, const ColourHistogram& histogram)
{
    const int used = static_cast<int>(histogram.used.size());
    const int slices = sliceCount(used, 8192);
    const std::size_t n = palette.size();
    std::vector<Cell> sums(n * slices);
    const NearestColour prepared(palette);
    forEachSlice(used, slices, [&](int slice, int begin, int end) {
        NearestColour nearest = prepared;
        Cell* mine = sums.data() + n * slice;
        for (int i = begin; i < end; ++i) {
            const Cell& cell = histogram.cells[histogram.used[i]];
            const std::uint64_t c = cell.count;
            const unsigned r = unsigned((cell.red + c / 2) / c), g = unsigned((cell.green + c / 2) / c),
                           b = unsigned((cell.blue + c / 2) / c);
            Cell& to = mine[nearest.indexOf(r, g, b)];
            to.count += c;
            to.red += cell.red;
            to.green += cell.green;
            to.blue += cell.blue;
        }
    });
    for (std::size_t e = 0; e < n; ++e) {
        Cell total;
        for (int s = 0; s < slices; ++s) {
            const Cell& part = sums[n * s + e];
            total.count += part.count;
            total.red += part.red;
            total.green += part.green;
            total.blue += part.blue;
        }
        if (total.count > 0) {
            const double w = double(total.count);
            palette[e] = roundedColour(total.red / w, total.green / w, total.blue / w);
        }
    }
}

} // namespace

ColourHistogram colourHistogram(const Image& image)
{
    ColourHistogram histogram;
    histogram.cells.resize(ColourHistogram::kCells);
    if (image.isNull())
        return histogram;
    const int width = image.width(), height = image.height();
    if (image.isTrueColour()) {
        const int slices = sliceCount(long(width) * height, 1L << 20);
        // Slice 0 counts straight into the result; the others into their own grids, added after.
        std::vector<std::vector<Cell>> partial(slices - 1);
        forEachSlice(height, slices, [&](int slice, int first, int end) {
            if (slice > 0)
                partial[slice - 1].resize(ColourHistogram::kCells);
            Cell* cells = slice == 0 ? histogram.cells.data() : partial[slice - 1].data();
            for (int y = first; y < end; ++y) {
                const Rgb* row = image.rgbRow(y);
                for (int x = 0; x < width; ++x)
                    addColour(cells, row[x], 1);
            }
        });
        for (const auto& part : partial)
            for (int c = 0; c < ColourHistogram::kCells; ++c) {
                Cell& to = histogram.cells[c];
                to.count += part[c].count;
                to.red += part[c].red;
                to.green += part[c].green;
                to.blue += part[c].blue;
                to.squares += part[c].squares;
            }
    } else {
        std::vector<std::uint64_t> uses(256, 0);
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* row = image.row(y);
            for (int x = 0; x < width; ++x)
                ++uses[row[x]];
        }
        const auto& palette = image.palette();
        for (std::size_t i = 0; i < palette.size(); ++i)
            if (uses[i] > 0)
                addColour(histogram.cells.data(), palette[i], uses[i]);
    }
    for (int c = 0; c < ColourHistogram::kCells; ++c)
        if (histogram.cells[c].count > 0)
            histogram.used.push_back(c);
    return histogram;
}

std::vector<Rgb> varianceCutPalette(const ColourHistogram& histogram, int count)
{
    if (histogram.used.empty() || count < 1)
        return {};
    std::vector<Rgb> palette = cutBoxes(histogram, count);
    constexpr int kRefinePasses = 3;
    for (int pass = 0; pass < kRefinePasses; ++pass)
        refine(palette, histogram);
    return palette;
}

} // namespace vask
