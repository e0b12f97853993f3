// Finding cards. Every card layout seen on paper outlines its cards, with a printed grid, a frame or
// a coloured field, so a card is a four-cornered outline about three times as wide as it is high,
// even tilted. Ink is taken against the light around it, which keeps a shadow or a lamp's bright
// spot from hiding an outline.
#include "app/photo/photo_parts.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

namespace lotto::photo {
namespace {

// Outlines are looked for at this size: a card fills a tenth of the picture's width at least.
constexpr int kSearchSide = 1400;
// A side of a card inked along less than this share of its length is none.
constexpr double kLeastInkedSide = 0.4;

double Length(cv::Point2f a, cv::Point2f b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// The corners as the card reads: its long sides run across, its top is the picture's top.
Quad Ordered(const std::vector<cv::Point>& poly) {
    std::vector<cv::Point2f> p(poly.begin(), poly.end());
    std::sort(p.begin(), p.end(), [](auto a, auto b) { return a.y < b.y; });
    Quad q;
    if (p[0].x < p[1].x)
        q[0] = p[0], q[1] = p[1];
    else
        q[0] = p[1], q[1] = p[0];
    if (p[2].x < p[3].x)
        q[3] = p[2], q[2] = p[3];
    else
        q[3] = p[3], q[2] = p[2];
    return q;
}

bool Inside(const Quad& outer, cv::Point2f point) {
    std::vector<cv::Point2f> c(outer.begin(), outer.end());
    return cv::pointPolygonTest(c, point, false) >= 0;
}

cv::Point2f Centre(const Quad& q) {
    return (q[0] + q[1] + q[2] + q[3]) * 0.25f;
}

// A decoration touching a card's outline pulls the outline's hull out to a corner where the card
// has none, and the side drawn to it runs over bare paper, where a card's sides are inked along
// most of their length (a shadow or blur can thin one out). Answers the least inked side's share.
double InkedSides(const cv::Mat& nearInk, const Quad& q) {
    constexpr int kSamples = 40;
    int least = kSamples;
    for (int side = 0; side < 4; ++side) {
        const cv::Point2f a = q[static_cast<std::size_t>(side)],
                          b = q[static_cast<std::size_t>((side + 1) % 4)];
        int inked = 0;
        for (int i = 0; i < kSamples; ++i) {
            const cv::Point2f p = a + (b - a) * ((i + 0.5f) / kSamples);
            const int x = std::clamp(static_cast<int>(p.x), 0, nearInk.cols - 1);
            const int y = std::clamp(static_cast<int>(p.y), 0, nearInk.rows - 1);
            inked += nearInk.at<unsigned char>(y, x) != 0;
        }
        least = std::min(least, inked);
    }
    return static_cast<double>(least) / kSamples;
}

} // namespace

std::vector<Quad> FindCards(const cv::Mat& grey) {
    const double scale = std::min(1.0, static_cast<double>(kSearchSide) / std::max(grey.cols, grey.rows));
    cv::Mat small;
    if (scale < 1)
        cv::resize(grey, small, cv::Size(), scale, scale, cv::INTER_AREA);
    else
        small = grey;
    if (small.cols < 32 || small.rows < 32) return {};

    cv::Mat ink;
    const int block = (std::max(small.cols, small.rows) / 60) | 1;
    cv::adaptiveThreshold(small, ink, 255, cv::ADAPTIVE_THRESH_MEAN_C, cv::THRESH_BINARY_INV, block, 8);
    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(ink, contours, cv::RETR_LIST, cv::CHAIN_APPROX_SIMPLE);
    // Ink within two pixels of a point, for telling a card's side from a line the hull drew.
    cv::Mat nearInk;
    cv::dilate(ink, nearInk, cv::getStructuringElement(cv::MORPH_RECT, cv::Size(5, 5)));

    const double minArea = 0.004 * small.cols * small.rows;
    struct Candidate {
        Quad quad;
        double area;
        double fill;  // how well the quadrilateral covers the outline: 1 for a clean card
        double sides; // the share of its least inked side that runs along ink
    };
    std::vector<Candidate> found;
    for (const auto& contour : contours) {
        if (contour.size() < 4) continue;
        const double area = cv::contourArea(contour);
        if (area < minArea) continue;
        // Print beside a card may touch its outline: the outline's hull keeps its four corners.
        std::vector<cv::Point> hull, poly;
        cv::convexHull(contour, hull);
        const double perimeter = cv::arcLength(hull, true);
        for (double eps : {0.02, 0.035, 0.05}) {
            cv::approxPolyDP(hull, poly, eps * perimeter, true);
            if (poly.size() <= 4) break;
        }
        if (poly.size() != 4 || !cv::isContourConvex(poly)) continue;
        // Four corners cut off a bent outline too: a poor fit shows either way.
        const double ratio = area / std::max(1.0, cv::contourArea(poly));
        const double fill = std::min(ratio, 1 / ratio);
        if (fill < 0.85) continue;
        const Quad q = Ordered(poly);
        const double across = (Length(q[0], q[1]) + Length(q[3], q[2])) / 2;
        const double down = (Length(q[0], q[3]) + Length(q[1], q[2])) / 2;
        if (down <= 0) continue;
        const double aspect = across / down;
        if (aspect < 1.9 || aspect > 5.0) continue;
        const double sides = InkedSides(nearInk, q);
        if (sides < kLeastInkedSide) continue;
        found.push_back({q, area, fill, sides});
    }

    // A frame has an outline outside and one inside, and a line of decoration touching it bends the
    // outer one: of the outlines of one card the truest quadrilateral is the card's.
    std::vector<bool> dropped(found.size(), false);
    for (std::size_t i = 0; i < found.size(); ++i)
        for (std::size_t j = 0; j < found.size(); ++j) {
            if (i == j || dropped[i] || dropped[j]) continue;
            const Candidate &a = found[i], &b = found[j];
            const double ratio = std::min(a.area, b.area) / std::max(a.area, b.area);
            const bool same =
                ratio > 0.5 && (Inside(a.quad, Centre(b.quad)) || Inside(b.quad, Centre(a.quad)));
            if (!same) continue;
            // A side over bare paper tells a bent outline before its fill does.
            const bool aBetter =
                std::abs(a.sides - b.sides) > 0.2
                    ? a.sides > b.sides
                    : a.fill > b.fill + 0.02 || (std::abs(a.fill - b.fill) <= 0.02 && a.area > b.area);
            dropped[aBetter ? j : i] = true;
        }
    // A sheet of cards can be shaped like one card: an outline whose inner outlines cover much of
    // it is no card. (A card's own runs of tinted cells make outlines inside it too, but they
    // leave most of it bare.)
    std::vector<Quad> cards;
    for (std::size_t i = 0; i < found.size(); ++i) {
        if (dropped[i]) continue;
        int holds = 0;
        double held = 0;
        for (std::size_t j = 0; j < found.size(); ++j)
            if (j != i && !dropped[j] && found[j].area < found[i].area &&
                found[j].area > 0.1 * found[i].area && Inside(found[i].quad, Centre(found[j].quad)))
                ++holds, held += found[j].area;
        if (holds < 2 || held < 0.45 * found[i].area) cards.push_back(found[i].quad);
    }
    for (Quad& q : cards)
        for (cv::Point2f& p : q)
            p *= static_cast<float>(1 / scale);
    return cards;
}

cv::Mat Straighten(const cv::Mat& grey, const Quad& corners) {
    const cv::Point2f to[4] = {{0, 0}, {9.0f * kCell, 0}, {9.0f * kCell, 3.0f * kCell}, {0, 3.0f * kCell}};
    const cv::Mat h = cv::getPerspectiveTransform(corners.data(), to);
    cv::Mat card;
    cv::warpPerspective(grey, card, h, cv::Size(9 * kCell, 3 * kCell), cv::INTER_LINEAR,
                        cv::BORDER_REPLICATE);
    return card;
}

} // namespace lotto::photo
