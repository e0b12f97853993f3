// A small network of our own for printed digits: one hidden layer over the digit's 16 x 16 shape,
// its width to height and its height in the cell. Trained on digits rendered in faces that the test
// pictures do not use, so the measurement is of faces it has not seen.
#include "app/photo/photo_parts.h"

#include <algorithm>
#include <cmath>

namespace lotto::photo {

std::array<float, 10> RunDigitModel(const DigitModel& m, const DigitFeatures& digit, float* hiddenOut) {
    std::array<float, DigitModel::kHidden> hidden{};
    for (int h = 0; h < DigitModel::kHidden; ++h) {
        const float* w = m.w1 + h * kFeatures;
        float sum = m.b1[h];
        for (int i = 0; i < kFeatures; ++i)
            sum += w[i] * digit[i];
        hidden[h] = std::max(0.0f, sum);
        if (hiddenOut) hiddenOut[h] = hidden[h];
    }
    std::array<float, 10> out{};
    float top = -1e30f;
    for (int d = 0; d < 10; ++d) {
        const float* w = m.w2 + d * DigitModel::kHidden;
        float sum = m.b2[d];
        for (int h = 0; h < DigitModel::kHidden; ++h)
            sum += w[h] * hidden[h];
        out[d] = sum;
        top = std::max(top, sum);
    }
    float total = 0;
    for (float& o : out)
        total += (o = std::exp(o - top));
    for (float& o : out)
        o /= total;
    return out;
}

std::array<float, 10> ClassifyDigit(const DigitFeatures& digit) {
    return RunDigitModel(TrainedDigitModel(), digit);
}

} // namespace lotto::photo
