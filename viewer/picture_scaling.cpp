#include "viewer/picture_scaling.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <numeric>
#include <vector>

namespace velmoran {

namespace {

ScalingAxis AxisOf(int in, int out) {
    const long long g = std::gcd(in, out);
    ScalingAxis axis;
    axis.total = static_cast<int>(in / g);
    for (int j = 0; j < out; ++j) {
        const long long from = static_cast<long long>(j) * in, to = from + in;  // in 1/out pixels
        axis.taps = std::max(axis.taps, static_cast<int>((to - 1) / out - from / out + 1));
    }
    axis.first.resize(out);
    axis.weights.assign(static_cast<std::size_t>(out) * axis.taps, 0.0f);
    for (int j = 0; j < out; ++j) {
        const long long from = static_cast<long long>(j) * in, to = from + in;
        axis.first[j] = static_cast<int>(from / out);
        for (long long p = from / out, t = 0; p * out < to; ++p, ++t) {
            const long long covered = std::min((p + 1) * out, to) - std::max(p * out, from);
            axis.weights[static_cast<std::size_t>(j) * axis.taps + t] = static_cast<float>(covered / g);
        }
    }
    return axis;
}

// The weighted sum of a texel row's source rows, the first at `row`, for
// every byte of a row. Sums of whole-number weights times bytes stay exact in
// single precision.
void SumRows(const std::uint8_t* row, std::size_t stride, std::size_t bytes, const float* weights, int taps,
             std::vector<float>& sums) {
    std::fill(sums.begin(), sums.end(), 0.0f);
    for (int t = 0; t < taps; ++t) {
        const float w = weights[t];
        if (w == 0.0f) continue;
        const std::uint8_t* source = row + stride * static_cast<std::size_t>(t);
        float* sum = sums.data();
        for (std::size_t i = 0; i < bytes; ++i) sum[i] += w * static_cast<float>(source[i]);
    }
}

// One target row from the summed source rows. The area a texel covers is
// `total` of the weights' units; the average is rounded down, as GLU does,
// which keeps a plain colour exactly as it was. The sums are whole numbers,
// exact in single precision while below 2^24 (as for every usual screen size,
// whose sides share large factors with their powers of two); adding a half
// before dividing keeps the rounding of the division from crossing a whole
// number, and as nothing is negative, truncation rounds down.
template <int kTaps>
void SumColumns(const std::vector<float>& sums, const ScalingAxis& columns, float perArea, std::uint8_t* out) {
    // Blue, green and red of a texel side by side in one vector (the fourth
    // lane carries the next pixel's blue along, unused).
    typedef float Lanes __attribute__((vector_size(16)));
    typedef std::int32_t Whole __attribute__((vector_size(16)));
    const int width = static_cast<int>(columns.first.size());
    const int taps = kTaps > 0 ? kTaps : columns.taps;
    const Lanes half = {0.5f, 0.5f, 0.5f, 0.5f}, scale = {perArea, perArea, perArea, perArea};
    for (int j = 0; j < width; ++j, out += 3) {
        const float* w = &columns.weights[static_cast<std::size_t>(j) * taps];
        const float* s = &sums[static_cast<std::size_t>(columns.first[j]) * 3];
        Lanes total = half;
        for (int t = 0; t < taps; ++t, s += 3) {
            Lanes pixel;
            std::memcpy(&pixel, s, sizeof pixel);
            total += w[t] * pixel;
        }
        const Whole mean = __builtin_convertvector(total * scale, Whole);
        out[0] = static_cast<std::uint8_t>(mean[0]);
        out[1] = static_cast<std::uint8_t>(mean[1]);
        out[2] = static_cast<std::uint8_t>(mean[2]);
    }
}

void SumColumnsAnyTaps(const std::vector<float>& sums, const ScalingAxis& columns, float perArea, std::uint8_t* out) {
    switch (columns.taps) {
        case 1: return SumColumns<1>(sums, columns, perArea, out);
        case 2: return SumColumns<2>(sums, columns, perArea, out);
        case 3: return SumColumns<3>(sums, columns, perArea, out);
        default: return SumColumns<0>(sums, columns, perArea, out);
    }
}

}  // namespace

RowScaler::RowScaler(int fromWidth, int fromHeight, int toWidth, int toHeight)
    : fromWidth_(fromWidth),
      fromHeight_(fromHeight),
      toWidth_(toWidth),
      columns_(AxisOf(fromWidth, toWidth)),
      rows_(AxisOf(fromHeight, toHeight)),
      perArea_(static_cast<float>(1.0 / (static_cast<double>(columns_.total) * rows_.total))),
      // A column's last weights may reach one pixel past the row with weight
      // zero, and a pixel is read four sums at a time; the sums carry zeros
      // beyond the row.
      sums_((static_cast<std::size_t>(fromWidth) + columns_.taps) * 3 + 1) {}

int RowScaler::EndRow(int j) const {
    // Weights beyond the picture's last row are zero: those rows are never read.
    return std::min(FirstRow(j) + rows_.taps, fromHeight_);
}

void RowScaler::ScaleRow(int j, const std::uint8_t* rows, std::size_t stride, std::uint8_t* out) {
    const int taps = EndRow(j) - FirstRow(j);
    SumRows(rows, stride, static_cast<std::size_t>(fromWidth_) * 3,
            &rows_.weights[static_cast<std::size_t>(j) * rows_.taps], taps, sums_);
    SumColumnsAnyTaps(sums_, columns_, perArea_, out);
    const std::size_t bytes = static_cast<std::size_t>(toWidth_) * 3;
    std::fill(out + bytes, out + (bytes + 3) / 4 * 4, std::uint8_t{0});
}

}  // namespace velmoran
