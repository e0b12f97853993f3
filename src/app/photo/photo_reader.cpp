#include "app/photo/photo_parts.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

namespace lotto::photo {
namespace {

// A real card has fifteen numbers; an outline with fewer than this many is something else.
constexpr int kFewestNumbers = 8;

struct Seen {
    Quad quad;
    CardGuess guess;
    cv::Point2f centre, across, down; // down and across: unit vectors along the card's sides
    float width = 0, height = 0;
};

Seen Measure(const Quad& q, const CardGuess& guess) {
    Seen s{q, guess, {}, {}, {}, 0, 0};
    s.centre = (q[0] + q[1] + q[2] + q[3]) * 0.25f;
    const cv::Point2f a = (q[1] - q[0] + q[2] - q[3]) * 0.5f;
    const cv::Point2f d = (q[3] - q[0] + q[2] - q[1]) * 0.5f;
    s.width = std::hypot(a.x, a.y);
    s.height = std::hypot(d.x, d.y);
    s.across = a / s.width;
    s.down = d / s.height;
    return s;
}

// How far below `upper` the card `lower` lies, when the two look like one ticket's two cards:
// the same size, one under the other; negative when they do not.
float BelowAsPair(const Seen& upper, const Seen& lower) {
    const cv::Point2f d = lower.centre - upper.centre;
    const float along = d.dot(upper.across), below = d.dot(upper.down);
    const float size = lower.width / upper.width;
    if (size < 0.8f || size > 1.25f) return -1;
    if (std::abs(along) > 0.25f * upper.width) return -1;
    if (below <= 0.8f * upper.height || below > 1.8f * upper.height) return -1;
    return below;
}

ReadCard Placed(ReadCard card, const Quad& q) {
    for (int i = 0; i < 4; ++i)
        card.corners[i] = {q[i].x, q[i].y};
    return card;
}

} // namespace

std::vector<ReadTicket> ReadGrey(const cv::Mat& grey) {
    std::vector<Seen> seen;
    for (const Quad& q : FindCards(grey)) {
        const CardGuess guess = GuessCard(CutCells(Straighten(grey, q)));
        int numbers = 0;
        for (const CellGuess& g : guess)
            numbers += g.ink >= 0.5f;
        if (numbers >= kFewestNumbers) seen.push_back(Measure(q, guess));
    }
    // Reading order: by rows of cards, then left to right.
    std::sort(seen.begin(), seen.end(), [](const Seen& a, const Seen& b) {
        if (std::abs(a.centre.y - b.centre.y) > 0.5f * std::min(a.height, b.height))
            return a.centre.y < b.centre.y;
        return a.centre.x < b.centre.x;
    });

    // The closest pairs first, so of three cards one under another the ones printed together pair.
    struct Pair {
        std::size_t upper, lower;
        float distance;
    };
    std::vector<Pair> pairs;
    for (std::size_t i = 0; i < seen.size(); ++i)
        for (std::size_t j = 0; j < seen.size(); ++j)
            if (i != j)
                if (const float d = BelowAsPair(seen[i], seen[j]); d > 0) pairs.push_back({i, j, d});
    std::stable_sort(pairs.begin(), pairs.end(), [](auto& a, auto& b) { return a.distance < b.distance; });
    std::vector<int> partner(seen.size(), -1);
    std::vector<bool> isLower(seen.size(), false);
    for (const Pair& p : pairs) {
        if (partner[p.upper] >= 0 || partner[p.lower] >= 0) continue;
        partner[p.upper] = static_cast<int>(p.lower);
        partner[p.lower] = static_cast<int>(p.upper);
        isLower[p.lower] = true;
    }

    std::vector<ReadTicket> tickets;
    for (std::size_t i = 0; i < seen.size(); ++i) {
        if (isLower[i]) continue;
        const Seen* second = partner[i] >= 0 ? &seen[static_cast<std::size_t>(partner[i])] : nullptr;
        ReadTicket t = ApplyRules(seen[i].guess, second ? &second->guess : nullptr);
        t.cards[0] = Placed(t.cards[0], seen[i].quad);
        if (second) t.cards[1] = Placed(t.cards[1], second->quad);
        tickets.push_back(t);
    }
    return tickets;
}

PhotoResult ReadPhoto(std::span<const unsigned char> file) {
    PhotoResult result;
    double toFile = 1;
    const cv::Mat grey = DecodeGrey(file, result.status, toFile);
    if (grey.empty()) return result;
    try {
        result.tickets = ReadGrey(grey);
    } catch (const cv::Exception&) {
        // A picture OpenCV cannot work on (a side of a pixel or two) has no cards to show.
        result.tickets.clear();
    }
    for (ReadTicket& t : result.tickets)
        for (ReadCard& card : t.cards)
            for (Corner& c : card.corners)
                c.x *= static_cast<float>(toFile), c.y *= static_cast<float>(toFile);
    result.status = result.tickets.empty() ? PhotoStatus::NoCards : PhotoStatus::Read;
    return result;
}

} // namespace lotto::photo
