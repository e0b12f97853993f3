// Cutting a straightened card into cells and each cell's ink into digit shapes. A cell's border
// (a grid line, the edge of a tinted field, a corner found a little off) is left out; what remains
// and is tall enough for a digit is one.
#include "app/photo/photo_parts.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace lotto::photo {
namespace {

constexpr int kMargin = kCell / 9;
constexpr int kInner = kCell - 2 * kMargin;
// A digit stands at least this high in its cell; a speck or a stroke of decoration less.
constexpr float kLowestDigit = 0.15f * kCell;
constexpr float kSureDigitHeight = 0.33f * kCell;

struct Box {
    cv::Rect rect;
    int area;
};

DigitFeatures Features(const cv::Mat& cellGrey, const cv::Rect& box) {
    DigitFeatures f{};
    const cv::Rect padded =
        (box + cv::Size(2, 2) - cv::Point(1, 1)) & cv::Rect(0, 0, cellGrey.cols, cellGrey.rows);
    cv::Mat crop;
    cellGrey(padded).convertTo(crop, CV_32F);
    double lo = 0, hi = 0;
    cv::minMaxLoc(crop, &lo, &hi);
    crop = (hi - crop) / std::max(1.0, hi - lo); // ink 1, paper 0
    const int side = std::max(crop.cols, crop.rows);
    cv::Mat square = cv::Mat::zeros(side, side, CV_32F);
    crop.copyTo(square(cv::Rect((side - crop.cols) / 2, (side - crop.rows) / 2, crop.cols, crop.rows)));
    cv::Mat small;
    cv::resize(square, small, cv::Size(kDigitSide, kDigitSide), 0, 0, cv::INTER_AREA);
    for (int y = 0; y < kDigitSide; ++y)
        for (int x = 0; x < kDigitSide; ++x)
            f[y * kDigitSide + x] = small.at<float>(y, x);
    f[kDigitSide * kDigitSide] = static_cast<float>(box.width) / box.height;
    f[kDigitSide * kDigitSide + 1] = static_cast<float>(box.height) / kCell;
    return f;
}

} // namespace

std::array<CellShapes, 27> CutCells(const cv::Mat& card) {
    std::array<CellShapes, 27> cells{};
    cv::Mat ink;
    cv::adaptiveThreshold(card, ink, 255, cv::ADAPTIVE_THRESH_MEAN_C, cv::THRESH_BINARY_INV, (kCell / 2) | 1,
                          12);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 9; ++column) {
            const cv::Rect inner(column * kCell + kMargin, row * kCell + kMargin, kInner, kInner);
            const cv::Mat cellInk = ink(inner);
            cv::Mat labels, stats, centroids;
            const int n = cv::connectedComponentsWithStats(cellInk, labels, stats, centroids, 8);
            std::vector<Box> boxes;
            for (int i = 1; i < n; ++i) {
                const cv::Rect r(stats.at<int>(i, cv::CC_STAT_LEFT), stats.at<int>(i, cv::CC_STAT_TOP),
                                 stats.at<int>(i, cv::CC_STAT_WIDTH), stats.at<int>(i, cv::CC_STAT_HEIGHT));
                const int area = stats.at<int>(i, cv::CC_STAT_AREA);
                if (r.height < kLowestDigit || area < 12) continue;
                // A line along the cell's edge that the margin did not keep out.
                if (r.height > 0.9 * kInner || r.width > 0.9 * kInner) continue;
                // The edge of a tinted cell or of a grid line comes in from the border as a thin bar
                // or bracket; a digit stands near the middle, and its strokes fill its box better.
                const bool edge = r.x == 0 || r.y == 0 || r.br().x == kInner || r.br().y == kInner;
                const cv::Point2f middle(r.x + r.width / 2.0f, r.y + r.height / 2.0f);
                const bool central = std::abs(middle.x - kInner / 2.0f) < 0.35f * kInner &&
                                     std::abs(middle.y - kInner / 2.0f) < 0.35f * kInner;
                if (edge && (!central || r.width < 0.12 * kCell || r.height < 0.12 * kCell)) continue;
                if (area < 0.12 * r.area()) continue;
                boxes.push_back({r, area});
            }
            // A digit broken by blur or noise comes as pieces one above the other: join them.
            std::sort(boxes.begin(), boxes.end(), [](auto& a, auto& b) { return a.rect.x < b.rect.x; });
            std::vector<Box> joined;
            for (const Box& b : boxes) {
                if (!joined.empty()) {
                    Box& last = joined.back();
                    const int overlap =
                        std::min(last.rect.br().x, b.rect.br().x) - std::max(last.rect.x, b.rect.x);
                    if (overlap > 0.5 * std::min(last.rect.width, b.rect.width)) {
                        last.rect |= b.rect;
                        last.area += b.area;
                        continue;
                    }
                }
                joined.push_back(b);
            }
            // Two digits printed close and blurred together: one shape as wide as two, cut where
            // least ink runs down it. A lone digit is never so wide for its height.
            if (joined.size() == 1 && column > 0 && joined[0].rect.width > 0.95 * joined[0].rect.height) {
                const Box whole = joined[0];
                const cv::Mat shape = cellInk(whole.rect);
                int cut = whole.rect.width / 2, least = INT32_MAX;
                for (int x = whole.rect.width / 3; x <= 2 * whole.rect.width / 3; ++x) {
                    const int inked = cv::countNonZero(shape.col(x));
                    if (inked < least) least = inked, cut = x;
                }
                joined = {
                    {cv::Rect(whole.rect.x, whole.rect.y, cut, whole.rect.height), whole.area / 2},
                    {cv::Rect(whole.rect.x + cut, whole.rect.y, whole.rect.width - cut, whole.rect.height),
                     whole.area / 2}};
            }
            if (joined.size() > 2) {
                std::sort(joined.begin(), joined.end(), [](auto& a, auto& b) { return a.area > b.area; });
                joined.resize(2);
                std::sort(joined.begin(), joined.end(), [](auto& a, auto& b) { return a.rect.x < b.rect.x; });
            }
            CellShapes& cell = cells[row * 9 + column];
            int tallest = 0;
            for (const Box& b : joined)
                tallest = std::max(tallest, b.rect.height);
            cell.ink = std::clamp((tallest - kLowestDigit) / (kSureDigitHeight - kLowestDigit), 0.0f, 1.0f);
            const cv::Mat cellGrey = card(inner);
            for (const Box& b : joined) {
                // A dot beside a digit is no digit.
                if (b.rect.height < 0.6 * tallest) continue;
                cell.digits.push_back(Features(cellGrey, b.rect));
            }
        }
    }
    return cells;
}

CardGuess GuessCard(const std::array<CellShapes, 27>& shapes) {
    CardGuess guess{};
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        const CellShapes& s = shapes[i];
        CellGuess& g = guess[i];
        g.ink = s.ink;
        g.digits = static_cast<int>(s.digits.size());
        if (g.digits >= 1) g.units = ClassifyDigit(s.digits.back());
        if (g.digits >= 2) g.tens = ClassifyDigit(s.digits.front());
    }
    return guess;
}

} // namespace lotto::photo
