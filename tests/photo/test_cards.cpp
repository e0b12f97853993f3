#include "photo/test_cards.h"

#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>

namespace photo_test {
namespace {

constexpr double kPi = 3.14159265358979323846;

const char* const kFontFiles[] = {
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf",
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
};

// A face by its file, so the pictures do not depend on what the font configuration prefers.
QFont Face(const std::string& file, double pixels, bool bold = false) {
    static std::map<std::string, QString> families;
    auto it = families.find(file);
    if (it == families.end()) {
        const int id = QFontDatabase::addApplicationFont(QString::fromStdString(file));
        const QStringList names = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
        it = families.emplace(file, names.isEmpty() ? QStringLiteral("Sans") : names.front()).first;
    }
    QFont f(it->second);
    f.setPixelSize(std::max(1, static_cast<int>(pixels)));
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

double Uniform(std::mt19937& r, double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(r);
}
int Pick(std::mt19937& r, int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(r);
}

struct Drawn {
    QRectF card;
    int ticket, index;
};

struct Sheet {
    QImage image;
    std::vector<Drawn> cards;
};

// Card cells are drawn from these; the test face overrides them for the trainer.
struct Faces {
    std::string numbers;
    bool bold;
};

Faces FacesFor(const ShotPlan& plan, std::mt19937& r, Faces own) {
    if (plan.faces.empty()) return own;
    return {plan.faces[static_cast<std::size_t>(Pick(r, 0, static_cast<int>(plan.faces.size()) - 1))], false};
}

void DrawNumber(QPainter& p, const QRectF& cell, int n) {
    p.drawText(cell, Qt::AlignCenter, QString::number(n));
}

// The program's printed page: a heading, then the two cards as black grids with bold numbers.
void PrintedTicket(QPainter& p, QPointF at, double s, int number, const TicketNumbers& t, const Faces& f,
                   std::vector<Drawn>& out, int ticket) {
    p.setPen(Qt::black);
    p.setFont(Face(kFontFiles[0], s * 0.45, true));
    p.drawText(QRectF(at.x(), at.y(), 9 * s, 0.7 * s), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Билет %1").arg(number));
    p.setFont(Face(f.numbers, s * 0.55, f.bold));
    const QPen thin(Qt::black, std::max(1.0, s / 60)), thick(Qt::black, std::max(2.0, s / 20));
    for (int card = 0; card < 2; ++card) {
        const double top = at.y() + s * (0.7 + card * 3.35);
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 9; ++column) {
                const QRectF r(at.x() + column * s, top + row * s, s, s);
                p.setPen(thin);
                p.drawRect(r);
                if (const int n = t[static_cast<std::size_t>(card * 27 + row * 9 + column)])
                    DrawNumber(p, r, n);
            }
        p.setPen(thick);
        p.setBrush(Qt::NoBrush);
        const QRectF whole(at.x(), top, 9 * s, 3 * s);
        p.drawRect(whole);
        out.push_back({whole, ticket, card});
    }
}

// A bought card: a tinted field in a coloured frame, tinted blank cells, a thin grid, a title band.
void ColouredTicket(QPainter& p, QPointF at, double s, int number, const TicketNumbers& t, const Faces& f,
                    std::mt19937& r, std::vector<Drawn>& out, int ticket) {
    const int hue = Pick(r, 0, 359);
    const QColor field = QColor::fromHsv(hue, Pick(r, 40, 80), 250);
    const QColor blank = QColor::fromHsv(hue, Pick(r, 90, 150), Pick(r, 200, 230));
    const QColor frame = QColor::fromHsv(hue, 200, Pick(r, 90, 140));
    const QRectF strip(at.x() - 0.5 * s, at.y() - 0.3 * s, 10 * s, 8.3 * s);
    p.fillRect(strip, QColor(252, 250, 240));
    p.setPen(QPen(frame, s / 30, Qt::DashLine));
    p.drawRect(strip);
    p.setFont(Face(kFontFiles[2], s * 0.6, true));
    p.setPen(frame);
    p.drawText(QRectF(at.x(), at.y(), 9 * s, s), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ЛОТО"));
    p.setFont(Face(kFontFiles[3], s * 0.3));
    p.drawText(QRectF(at.x(), at.y(), 9 * s, 0.8 * s), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("№ %1").arg(100000 + number * 7919 % 900000));
    for (int i = 0; i < 12; ++i) { // stars along the strip's edge
        const double x = strip.left() + (i + 0.5) * strip.width() / 12;
        QPainterPath star;
        for (int k = 0; k < 10; ++k) {
            const double rad = (k % 2 ? 0.06 : 0.14) * s, a = k * kPi / 5 - kPi / 2;
            const QPointF pt(x + rad * std::cos(a), strip.bottom() - 0.15 * s + rad * std::sin(a));
            k ? star.lineTo(pt) : star.moveTo(pt);
        }
        p.fillPath(star, frame);
    }
    p.setFont(Face(f.numbers, s * 0.6, f.bold));
    for (int card = 0; card < 2; ++card) {
        const QRectF whole(at.x(), at.y() + s * (1.1 + card * 3.4), 9 * s, 3 * s);
        p.fillRect(whole, field);
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 9; ++column) {
                const QRectF c(whole.left() + column * s, whole.top() + row * s, s, s);
                const int n = t[static_cast<std::size_t>(card * 27 + row * 9 + column)];
                if (!n) p.fillRect(c.adjusted(s * 0.04, s * 0.04, -s * 0.04, -s * 0.04), blank);
                p.setPen(QPen(frame, std::max(1.0, s / 40)));
                p.drawRect(c);
                p.setPen(QColor(Pick(r, 0, 40), Pick(r, 0, 30), Pick(r, 0, 60)));
                if (n) DrawNumber(p, c, n);
            }
        p.setPen(QPen(frame, s / 12));
        p.setBrush(Qt::NoBrush);
        p.drawRect(whole);
        out.push_back({whole, ticket, card});
    }
}

// Numbers standing in blank columns on a white card with only a frame around it.
void GridlessTicket(QPainter& p, QPointF at, double s, int number, const TicketNumbers& t, const Faces& f,
                    std::mt19937& r, std::vector<Drawn>& out, int ticket) {
    const QColor ink = QColor::fromHsv(Pick(r, 200, 250), 220, Pick(r, 70, 120));
    const QColor frame = QColor::fromHsv(Pick(r, 0, 359), 160, Pick(r, 100, 160));
    p.setFont(Face(kFontFiles[3], s * 0.35));
    p.setPen(frame);
    p.drawText(QRectF(at.x(), at.y(), 9 * s, 0.8 * s), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Серия %1  Билет № %2").arg(Pick(r, 1, 99)).arg(number));
    p.setFont(Face(f.numbers, s * Uniform(r, 0.5, 0.6), f.bold));
    for (int card = 0; card < 2; ++card) {
        const QRectF whole(at.x(), at.y() + s * (0.9 + card * 3.6), 9 * s, 3 * s);
        p.fillRect(whole, Qt::white);
        p.setPen(ink);
        for (int row = 0; row < 3; ++row)
            for (int column = 0; column < 9; ++column)
                if (const int n = t[static_cast<std::size_t>(card * 27 + row * 9 + column)])
                    DrawNumber(p, QRectF(whole.left() + column * s, whole.top() + row * s, s, s), n);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(frame, s / 18));
        p.drawRect(whole);
        p.setPen(QPen(frame, std::max(1.0, s / 60)));
        p.drawRect(whole.adjusted(s * 0.07, s * 0.07, -s * 0.07, -s * 0.07));
        out.push_back({whole, ticket, card});
    }
}

Sheet Render(const ShotPlan& plan, const std::vector<TicketNumbers>& tickets, double s, std::mt19937& r) {
    Sheet sheet;
    const int n = static_cast<int>(tickets.size());
    QSizeF size;
    if (plan.layout == Layout::PrintedPage)
        size = QSizeF(11 * s, (7.05 * n + 0.6 * (n - 1) + 2) * s);
    else
        size = QSizeF((10.6 * n + 1.4) * s, 10 * s);
    sheet.image = QImage(size.toSize(), QImage::Format_RGB888);
    const QColor paper =
        plan.layout == Layout::Gridless ? QColor::fromHsv(Pick(r, 180, 240), 25, 240) : QColor(255, 255, 255);
    sheet.image.fill(paper);
    QPainter p(&sheet.image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    if (plan.layout == Layout::Gridless) { // a page printed with a pattern of dots and waves
        p.setPen(QPen(QColor::fromHsv(Pick(r, 0, 359), 60, 210), s / 25));
        for (double y = 0.3 * s; y < size.height(); y += 1.3 * s) {
            QPainterPath wave;
            wave.moveTo(0, y);
            for (double x = 0; x < size.width(); x += s / 4)
                wave.lineTo(x, y + 0.15 * s * std::sin(x / s * 3));
            p.drawPath(wave);
        }
    }
    int ticketNo = Pick(r, 1, 40);
    for (int i = 0; i < n; ++i) {
        const TicketNumbers& t = tickets[static_cast<std::size_t>(i)];
        switch (plan.layout) {
        case Layout::PrintedPage:
            PrintedTicket(p, QPointF(s, s + i * 7.65 * s), s, ticketNo + i, t,
                          FacesFor(plan, r, {kFontFiles[0], true}), sheet.cards, i);
            break;
        case Layout::ColouredCard:
            ColouredTicket(p, QPointF(s + i * 10.6 * s, 1.0 * s), s, ticketNo + i, t,
                           FacesFor(plan, r, {kFontFiles[2], true}), r, sheet.cards, i);
            break;
        case Layout::Gridless:
            GridlessTicket(p, QPointF(s + i * 10.6 * s, 1.0 * s), s, ticketNo + i, t,
                           FacesFor(plan, r, {kFontFiles[Pick(r, 3, 4)], false}), r, sheet.cards, i);
            break;
        }
    }
    return sheet;
}

// The sheet seen by a camera turned by `tilt` about an axis in the sheet's plane and by `rotation`
// about its own axis, fitted into the frame.
cv::Mat Camera(cv::Size sheet, cv::Size frame, double tilt, double axis, double rotation, double fill) {
    const double f = std::max(frame.width, frame.height) * 1.1;
    const double t = tilt * kPi / 180, a = axis, z = rotation * kPi / 180;
    // Turning by t about the axis (cos a, sin a, 0) in the sheet's plane.
    const double c = std::cos(t), sn = std::sin(t), kx = std::cos(a), ky = std::sin(a);
    cv::Mat R = (cv::Mat_<double>(3, 3) << c + kx * kx * (1 - c), kx * ky * (1 - c), ky * sn,
                 kx * ky * (1 - c), c + ky * ky * (1 - c), -kx * sn, -ky * sn, kx * sn, c);
    const cv::Mat Rz =
        (cv::Mat_<double>(3, 3) << std::cos(z), -std::sin(z), 0, std::sin(z), std::cos(z), 0, 0, 0, 1);
    R = Rz * R;
    const double d = 1.6 * std::max(sheet.width, sheet.height);
    std::vector<cv::Point2f> from, to;
    for (auto [x, y] : {std::pair{0, 0}, {sheet.width, 0}, {sheet.width, sheet.height}, {0, sheet.height}}) {
        const cv::Mat p = R * (cv::Mat_<double>(3, 1) << x - sheet.width / 2.0, y - sheet.height / 2.0, 0);
        const double Z = p.at<double>(2) + d;
        from.emplace_back(static_cast<float>(x), static_cast<float>(y));
        to.emplace_back(static_cast<float>(f * p.at<double>(0) / Z),
                        static_cast<float>(f * p.at<double>(1) / Z));
    }
    const cv::Rect2f box = cv::boundingRect(to);
    const double scale = fill * std::min(frame.width / box.width, frame.height / box.height);
    for (cv::Point2f& p : to)
        p = (p - cv::Point2f(box.x + box.width / 2, box.y + box.height / 2)) * static_cast<float>(scale) +
            cv::Point2f(frame.width / 2.0f, frame.height / 2.0f);
    return cv::getPerspectiveTransform(from, to);
}

} // namespace

const char* Name(Layout layout) {
    switch (layout) {
    case Layout::PrintedPage:
        return "printed page";
    case Layout::ColouredCard:
        return "coloured card";
    case Layout::Gridless:
        return "no grid";
    }
    return "";
}

const char* Name(Distortion d) {
    switch (d) {
    case Distortion::Flat:
        return "flat";
    case Distortion::Tilted:
        return "tilted";
    case Distortion::Blurred:
        return "blurred";
    case Distortion::Shadowed:
        return "shadowed";
    case Distortion::Noisy:
        return "noisy";
    }
    return "";
}

std::string MissingFonts() {
    std::string missing;
    for (const char* f : kFontFiles)
        if (!std::filesystem::exists(f)) missing += std::string(missing.empty() ? "" : ", ") + f;
    return missing;
}

TicketNumbers RandomTicket(std::mt19937& r, bool rising) {
    TicketNumbers t{};
    std::array<bool, 91> used{};
    for (int card = 0; card < 2; ++card) {
        for (int row = 0; row < 3; ++row) {
            std::array<int, 9> columns{0, 1, 2, 3, 4, 5, 6, 7, 8};
            std::shuffle(columns.begin(), columns.end(), r);
            for (int i = 0; i < 5; ++i) {
                const int c = columns[static_cast<std::size_t>(i)];
                const int lo = c == 0 ? 1 : c * 10, hi = c == 8 ? 90 : c * 10 + 9;
                int n;
                do
                    n = Pick(r, lo, hi);
                while (used[static_cast<std::size_t>(n)]);
                used[static_cast<std::size_t>(n)] = true;
                t[static_cast<std::size_t>(card * 27 + row * 9 + c)] = n;
            }
        }
        if (!rising) continue;
        for (int c = 0; c < 9; ++c) {
            std::vector<int> values;
            for (int row = 0; row < 3; ++row)
                if (int n = t[static_cast<std::size_t>(card * 27 + row * 9 + c)]) values.push_back(n);
            std::sort(values.begin(), values.end());
            std::size_t k = 0;
            for (int row = 0; row < 3; ++row)
                if (int& n = t[static_cast<std::size_t>(card * 27 + row * 9 + c)]; n) n = values[k++];
        }
    }
    return t;
}

Shot MakeShot(std::uint32_t seed, const ShotPlan& plan) {
    std::mt19937 r(seed);
    cv::RNG grainRandom(seed); // OpenCV's own generator is process-wide; this one is the shot's
    Shot shot;
    const bool portrait = plan.layout == Layout::PrintedPage;
    cv::Size frame = plan.twelveMegapixels ? cv::Size(4000, 3000) : cv::Size(1632, 1224);
    if (portrait) std::swap(frame.width, frame.height);
    const double mp = frame.area() / 2.0e6; // blur and noise are told at 2 megapixels
    const double px = std::sqrt(mp);

    std::vector<TicketNumbers> tickets;
    for (int i = 0; i < plan.tickets; ++i)
        tickets.push_back(RandomTicket(r, plan.layout != Layout::PrintedPage));

    const Distortion d = plan.distortion;
    shot.tilt = d == Distortion::Tilted ? Uniform(r, 15, 25) : Uniform(r, 0, 8);
    shot.rotation =
        (d == Distortion::Tilted ? Uniform(r, 5, 10) : Uniform(r, 0, 4)) * (Pick(r, 0, 1) ? 1 : -1);
    shot.blur = (d == Distortion::Blurred ? Uniform(r, 1.2, 2.0) : Uniform(r, 0.3, 0.8)) * px;
    shot.noise = d == Distortion::Noisy ? Uniform(r, 8, 14) : Uniform(r, 1, 4);
    shot.quality = d == Distortion::Noisy ? Pick(r, 50, 60) : Pick(r, 50, 90);
    const double unevenness = d == Distortion::Shadowed ? Uniform(r, 0.35, 0.5) : Uniform(r, 0, 0.15);
    const double fill = Uniform(r, 0.8, 0.92);

    // The sheet is drawn at about the size it shows at, so the camera neither blurs nor sharpens it.
    const double s =
        (portrait ? frame.height / (7.65 * plan.tickets + 2.4) : frame.width / (10.6 * plan.tickets + 1.4)) *
        fill;
    Sheet sheet = Render(plan, tickets, s, r);
    const cv::Mat flat(sheet.image.height(), sheet.image.width(), CV_8UC3, sheet.image.bits(),
                       static_cast<std::size_t>(sheet.image.bytesPerLine()));
    cv::Mat rgb;
    cv::cvtColor(flat, rgb, cv::COLOR_RGB2BGR);

    // A table under the sheet: a colour with slow variation.
    cv::Mat photo(frame, CV_8UC3);
    {
        cv::Mat grain(frame.height / 40 + 1, frame.width / 40 + 1, CV_32F);
        grainRandom.fill(grain, cv::RNG::NORMAL, 1.0, 0.15);
        cv::resize(grain, grain, frame, 0, 0, cv::INTER_CUBIC);
        const cv::Scalar base(Pick(r, 40, 120), Pick(r, 50, 130), Pick(r, 60, 150));
        cv::Mat tint(frame, CV_32FC3, base);
        cv::Mat grain3;
        cv::merge(std::vector<cv::Mat>{grain, grain, grain}, grain3);
        tint = tint.mul(grain3);
        tint.convertTo(photo, CV_8UC3);
    }
    const cv::Mat h = Camera(rgb.size(), frame, shot.tilt, Uniform(r, 0, 2 * kPi), shot.rotation, fill);
    cv::warpPerspective(rgb, photo, h, frame, cv::INTER_LINEAR, cv::BORDER_TRANSPARENT);

    for (const Drawn& c : sheet.cards) {
        ShownCard shown;
        shown.ticket = c.ticket;
        shown.card = c.index;
        for (int i = 0; i < 27; ++i)
            shown.numbers[static_cast<std::size_t>(i)] =
                tickets[static_cast<std::size_t>(c.ticket)][static_cast<std::size_t>(c.index * 27 + i)];
        std::vector<cv::Point2f> corners{
            {static_cast<float>(c.card.left()), static_cast<float>(c.card.top())},
            {static_cast<float>(c.card.right()), static_cast<float>(c.card.top())},
            {static_cast<float>(c.card.right()), static_cast<float>(c.card.bottom())},
            {static_cast<float>(c.card.left()), static_cast<float>(c.card.bottom())}};
        cv::perspectiveTransform(corners, corners, h);
        std::copy(corners.begin(), corners.end(), shown.corners.begin());
        shot.cards.push_back(shown);
    }

    if (shot.blur > 0.3) cv::GaussianBlur(photo, photo, cv::Size(), shot.blur);
    // Light falling off to one side, and a shadow (a hand, a phone) somewhere over the sheet.
    {
        cv::Mat light(frame.height / 16, frame.width / 16, CV_32F);
        const double a = Uniform(r, 0, 2 * kPi);
        const cv::Point2f shadow(static_cast<float>(Uniform(r, 0, light.cols)),
                                 static_cast<float>(Uniform(r, 0, light.rows)));
        const double shadowSize = Uniform(r, 0.15, 0.35) * light.cols;
        const double shadowDepth = d == Distortion::Shadowed ? Uniform(r, 0.3, 0.45) : Uniform(r, 0, 0.1);
        for (int y = 0; y < light.rows; ++y)
            for (int x = 0; x < light.cols; ++x) {
                const double t =
                    ((x - light.cols / 2.0) * std::cos(a) + (y - light.rows / 2.0) * std::sin(a)) /
                    light.cols;
                double v = 1 - unevenness * (0.5 + t);
                const double dist = std::hypot(x - shadow.x, y - shadow.y) / shadowSize;
                v *= 1 - shadowDepth / (1 + std::pow(dist, 6));
                light.at<float>(y, x) = static_cast<float>(v);
            }
        cv::resize(light, light, frame, 0, 0, cv::INTER_LINEAR);
        cv::Mat lit;
        photo.convertTo(lit, CV_32FC3);
        cv::Mat light3;
        cv::merge(std::vector<cv::Mat>{light, light, light}, light3);
        lit = lit.mul(light3);
        cv::Mat noise(frame, CV_32FC3);
        grainRandom.fill(noise, cv::RNG::NORMAL, cv::Scalar::all(0), cv::Scalar::all(shot.noise));
        lit += noise;
        lit.convertTo(photo, CV_8UC3);
    }
    cv::imencode(".jpg", photo, shot.jpeg, {cv::IMWRITE_JPEG_QUALITY, shot.quality});
    shot.size = frame;
    return shot;
}

} // namespace photo_test
