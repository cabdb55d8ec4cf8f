// Scaling a picture to another size by averaging, for every target texel,
// the area of the picture it covers (a box filter over the exact covered
// fractions of pixels, rounded down like GLU's own scaling). A target row
// needs only the few source rows it covers, so a picture can be scaled as
// its rows come.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmoran {

// How one axis maps `in` source pixels onto `out` target texels. Target texel
// j covers source positions [j * in / out, (j + 1) * in / out); each source
// pixel it touches counts with the length it covers, in units of gcd / out
// pixels, so that every weight is a whole number and a texel's weights add up
// to `total`. Every texel has `taps` weights, the unused ones zero.
struct ScalingAxis {
    int taps = 1;
    int total = 1;
    std::vector<int> first;      // the first source pixel of each texel
    std::vector<float> weights;  // taps per texel
};

class RowScaler {
public:
    RowScaler(int fromWidth, int fromHeight, int toWidth, int toHeight);

    // The source rows target row `j` is made of: [FirstRow(j), EndRow(j)).
    int FirstRow(int j) const { return rows_.first[static_cast<std::size_t>(j)]; }
    int EndRow(int j) const;
    // The most source rows a target row is made of.
    int taps() const { return rows_.taps; }

    // Target row `j` from the source rows beginning with FirstRow(j) at
    // `rows`, `stride` bytes apart (rows of blue-green-red triples): its
    // texels, then zeros up to a multiple of 4 bytes.
    void ScaleRow(int j, const std::uint8_t* rows, std::size_t stride, std::uint8_t* out);

private:
    int fromWidth_, fromHeight_, toWidth_;
    ScalingAxis columns_, rows_;
    float perArea_;
    std::vector<float> sums_;
};

}  // namespace velmoran
