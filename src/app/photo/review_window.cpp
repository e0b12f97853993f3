// The review window is plain Qt over the reader: it holds a picture beside a variable number of
// tickets, which no scheme of fixed elements can lay out.
#include "app/photo/review_window.h"

#include "app/photo/photo_module.h"
#include "app/photo/photo_reader.h"
#include "runtime/cp1251.h"
#include "widgets/layer/control.h"
#include "widgets/layer/messages.h"
#include "widgets/layer/platform.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <atomic>
#include <memory>
#include <set>
#include <thread>

namespace lotto::photo {
namespace {

constexpr const char* kCaption = "Билеты с фото";
// The picture is shown no larger than this; a phone's 12 megapixels are decoded straight to it.
constexpr int kShownSide = 640;

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

struct ReadPicture {
    QString name;
    PhotoResult result;
    QImage shown;       // the picture made small, for the window
    double toShown = 1; // file pixels to `shown`'s
};

// Off the event loop: the file's bytes, the reading, and the small picture to show.
ReadPicture Read(const Picture& picture) {
    ReadPicture out;
    out.name = picture.path.empty() ? Text(picture.name) : QFileInfo(Text(picture.path)).fileName();
    QByteArray bytes;
    if (!picture.path.empty()) {
        QFile file(Text(picture.path));
        if (!file.open(QIODevice::ReadOnly)) return out;
        bytes = file.readAll();
    } else {
        bytes = QByteArray(reinterpret_cast<const char*>(picture.bytes.data()),
                           static_cast<qsizetype>(picture.bytes.size()));
    }
    out.result = ReadPhotoThroughModule(
        {reinterpret_cast<const unsigned char*>(bytes.constData()), static_cast<std::size_t>(bytes.size())});
    if (out.result.status != PhotoStatus::Read) return out;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(false); // the reader saw the pixels as stored
    const QSize size = reader.size();
    if (size.isValid() && std::max(size.width(), size.height()) > kShownSide) {
        reader.setScaledSize(size.scaled(kShownSide, kShownSide, Qt::KeepAspectRatio));
        out.toShown = static_cast<double>(reader.scaledSize().width()) / size.width();
    }
    out.shown = reader.read();
    return out;
}

// Reads every picture on a thread of its own while the loop runs the progress bar. A cancel is
// taken between two pictures; one picture takes a fraction of a second.
std::vector<ReadPicture> ReadAll(QWidget* owner, const std::vector<Picture>& pictures, bool& cancelled) {
    std::vector<ReadPicture> read(pictures.size());
    std::atomic<std::size_t> done{0};
    std::atomic<bool> stop{false};
    std::thread worker([&] {
        for (std::size_t i = 0; i < pictures.size() && !stop.load(); ++i) {
            read[i] = Read(pictures[i]);
            done.store(i + 1, std::memory_order_release);
        }
        done.store(pictures.size() + 1, std::memory_order_release);
    });
    const int count = static_cast<int>(pictures.size());
    QProgressDialog progress(Text("Читаю снимки..."), Text("Прервать"), 0, count, owner);
    progress.setWindowTitle(Text(kCaption));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(count > 1 ? 0 : 400);
    progress.setAccessibleName(Text("Чтение снимков"));
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const std::size_t now = done.load(std::memory_order_acquire);
        if (now > pictures.size()) {
            loop.quit();
            return;
        }
        progress.setValue(static_cast<int>(now));
        progress.setLabelText(
            Text("Читаю снимок %1 из %2...").arg(std::min<std::size_t>(now + 1, pictures.size())).arg(count));
        if (progress.wasCanceled()) stop.store(true);
    });
    poll.start(30);
    loop.exec();
    worker.join();
    cancelled = stop.load() || progress.wasCanceled();
    return read;
}

// The picture with each card framed; the card the player is in drawn thicker.
class PictureView : public QWidget {
public:
    explicit PictureView(QWidget* parent) : QWidget(parent) {
        setMinimumSize(kShownSide / 2, kShownSide / 2);
        setAccessibleName(Text("Снимок с найденными карточками"));
    }

    void Show(const ReadPicture* picture, int ticket) {
        picture_ = picture;
        ticket_ = ticket;
        update();
    }

    QSize sizeHint() const override { return {kShownSide, kShownSide * 3 / 4}; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().window());
        if (!picture_ || picture_->shown.isNull()) return;
        const QSize fitted = picture_->shown.size().scaled(size(), Qt::KeepAspectRatio);
        const double f = static_cast<double>(fitted.width()) / picture_->shown.width();
        p.drawImage(QRect(QPoint(0, 0), fitted), picture_->shown);
        p.setRenderHint(QPainter::Antialiasing);
        const auto& tickets = picture_->result.tickets;
        for (std::size_t t = 0; t < tickets.size(); ++t)
            for (int k = 0; k < (tickets[t].secondCardFound ? 2 : 1); ++k) {
                QPolygonF outline;
                for (const Corner& c : tickets[t].cards[static_cast<std::size_t>(k)].corners)
                    outline << QPointF(c.x * picture_->toShown * f, c.y * picture_->toShown * f);
                const bool current = static_cast<int>(t) == ticket_;
                p.setPen(QPen(current ? QColor(220, 0, 0) : QColor(0, 90, 220), current ? 3 : 2));
                p.drawPolygon(outline);
            }
    }

private:
    const ReadPicture* picture_ = nullptr;
    int ticket_ = -1;
};

struct ShownTicket {
    const ReadPicture* picture;
    int ticketInPicture;
    std::array<QLineEdit*, 54> cells{};
};

class ReviewDialog : public QDialog {
public:
    ReviewDialog(QWidget* owner, const std::vector<ReadPicture>& read, const QStringList& problems)
        : QDialog(owner) {
        setWindowTitle(Text(kCaption));
        setObjectName(QStringLiteral("photoReview"));
        auto* top = new QVBoxLayout(this);
        auto* note = new QLabel(this);
        QString noteText =
            Text("Проверьте числа, как они прочитаны. Обведённые красным клетки вызывают сомнение: Tab "
                 "обходит их первыми. Любую клетку можно исправить, набрав число поверх.");
        for (const QString& problem : problems)
            noteText += QLatin1Char('\n') + problem;
        note->setText(noteText);
        note->setWordWrap(true);
        top->addWidget(note);

        auto* middle = new QHBoxLayout;
        view_ = new PictureView(this);
        middle->addWidget(view_, 1);
        auto* scroll = new QScrollArea(this);
        scroll->setWidgetResizable(true);
        auto* list = new QWidget(scroll);
        auto* listLayout = new QVBoxLayout(list);
        scroll->setWidget(list);
        middle->addWidget(scroll);
        top->addLayout(middle, 1);

        for (const ReadPicture& picture : read)
            for (std::size_t t = 0; t < picture.result.tickets.size(); ++t)
                AddTicket(list, listLayout, picture, static_cast<int>(t));
        listLayout->addStretch();
        scroll->setMinimumWidth(list->sizeHint().width() + 24);

        auto* buttons = new QDialogButtonBox(this);
        add_ = buttons->addButton(Text("&Добавить"), QDialogButtonBox::AcceptRole);
        QPushButton* cancel = buttons->addButton(Text("Отмена"), QDialogButtonBox::RejectRole);
        add_->setAccessibleName(Text("Добавить билеты в список"));
        cancel->setAccessibleName(Text("Отмена: ничего не добавлять"));
        add_->setDefault(true);
        connect(add_, &QPushButton::clicked, this, &ReviewDialog::TryAdd);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
        top->addWidget(buttons);

        OrderTabs(cancel);
        following_ =
            connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { Follow(now); });
        if (!tickets_.empty()) view_->Show(tickets_.front().picture, tickets_.front().ticketInPicture);
    }

    // NOTE: let go before the widgets go: a focused cell's end moves the focus, and the signal
    // would reach a window whose tickets are gone.
    ~ReviewDialog() override { disconnect(following_); }

    // The first cell the Tab order reaches: the first doubtful one, else the first cell.
    QLineEdit* first() const { return first_; }
    const std::vector<TicketCells>& added() const { return added_; }

private:
    void AddTicket(QWidget* list, QVBoxLayout* listLayout, const ReadPicture& picture, int t) {
        const ReadTicket& read = picture.result.tickets[static_cast<std::size_t>(t)];
        const int number = static_cast<int>(tickets_.size()) + 1;
        auto* box = new QGroupBox(Text("Билет %1 (%2)").arg(number).arg(picture.name), list);
        auto* grid = new QGridLayout(box);
        grid->setHorizontalSpacing(2);
        grid->setVerticalSpacing(2);
        ShownTicket shown{&picture, t, {}};
        for (int i = 0; i < 54; ++i) {
            const int card = i / 27, row = i % 27 / 9, column = i % 9;
            const ReadCell& cell =
                read.cards[static_cast<std::size_t>(card)].cells[static_cast<std::size_t>(i % 27)];
            auto* edit = new QLineEdit(box);
            edit->setMaxLength(2);
            edit->setValidator(new QIntValidator(1, 90, edit));
            edit->setAlignment(Qt::AlignCenter);
            edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("888")) + 12);
            if (cell.number) edit->setText(QString::number(cell.number));
            const bool doubtful = cell.doubtful && (card == 0 || read.secondCardFound);
            QString name = Text("Билет %1, карточка %2, ряд %3, столбец %4")
                               .arg(number)
                               .arg(card + 1)
                               .arg(row + 1)
                               .arg(column + 1);
            if (doubtful) {
                name += Text(", сомнительно");
                // A handful of cells: a style sheet each costs nothing worth a palette of its own.
                edit->setStyleSheet(QStringLiteral("QLineEdit { border: 2px solid rgb(220,0,0); }"));
                edit->setToolTip(Text("Прочитано с сомнением: сверьте с билетом"));
                doubtful_.push_back(edit);
            }
            edit->setAccessibleName(name);
            edit->setObjectName(QStringLiteral("cell_%1_%2").arg(number).arg(i));
            grid->addWidget(edit, row + card * 4, column);
            shown.cells[static_cast<std::size_t>(i)] = edit;
            others_.push_back(edit);
        }
        grid->setRowMinimumHeight(3, 8);
        listLayout->addWidget(box);
        tickets_.push_back(shown);
    }

    void OrderTabs(QWidget* last) {
        std::vector<QWidget*> order(doubtful_.begin(), doubtful_.end());
        for (QLineEdit* e : others_)
            if (std::find(doubtful_.begin(), doubtful_.end(), e) == doubtful_.end()) order.push_back(e);
        order.push_back(add_);
        order.push_back(last);
        for (std::size_t i = 1; i < order.size(); ++i)
            QWidget::setTabOrder(order[i - 1], order[i]);
        first_ = doubtful_.empty() ? (others_.empty() ? nullptr : others_.front()) : doubtful_.front();
    }

    // The picture follows the ticket the player is in.
    void Follow(QWidget* now) {
        for (const ShownTicket& t : tickets_)
            if (std::find(t.cells.begin(), t.cells.end(), now) != t.cells.end()) {
                view_->Show(t.picture, t.ticketInPicture);
                return;
            }
    }

    void TryAdd() {
        std::vector<TicketCells> out;
        for (std::size_t t = 0; t < tickets_.size(); ++t) {
            TicketCells cells{};
            for (std::size_t i = 0; i < 54; ++i)
                cells[i] = tickets_[t].cells[i]->text().toInt();
            std::string why;
            if (const int broken = FirstBrokenCell(cells, why); broken >= 0) {
                const QString text = Text("Билет %1: %2").arg(t + 1).arg(Text(why));
                qo::ShowMessageBox(nullptr, qo::Utf8ToCp1251(text.toStdString()), qo::Cp1251(kCaption),
                                   qo::MB_OK | qo::MB_ICONEXCLAMATION);
                tickets_[t].cells[static_cast<std::size_t>(broken)]->setFocus();
                return;
            }
            if (std::any_of(cells.begin(), cells.end(), [](int n) { return n != 0; })) out.push_back(cells);
        }
        added_ = std::move(out);
        accept();
    }

    PictureView* view_ = nullptr;
    QPushButton* add_ = nullptr;
    QLineEdit* first_ = nullptr;
    std::vector<ShownTicket> tickets_;
    std::vector<QLineEdit*> doubtful_, others_;
    std::vector<TicketCells> added_;
    QMetaObject::Connection following_;
};

QWidget* OwnerWidget(qo::Control* owner) {
    return owner ? owner->widget() : QApplication::activeWindow();
}

class PasteWatch : public QObject {
public:
    PasteWatch(QWidget* window, std::function<void(std::vector<unsigned char>)> pasted)
        : QObject(window), window_(window), pasted_(std::move(pasted)) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) return false;
        auto* widget = qobject_cast<QWidget*>(target);
        if (!widget || !window_ || widget->window() != window_) return false;
        if (!static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) return false;
        const QMimeData* data = QApplication::clipboard()->mimeData();
        if (!data || !data->hasImage() || data->hasText()) return false;
        event->accept();
        if (event->type() == QEvent::ShortcutOverride) return true;
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        qvariant_cast<QImage>(data->imageData()).save(&buffer, "PNG");
        std::vector<unsigned char> bytes(png.begin(), png.end());
        // After the key is handled: the review window runs a loop of its own.
        QTimer::singleShot(0, this,
                           [this, bytes = std::move(bytes)]() mutable { pasted_(std::move(bytes)); });
        return true;
    }

private:
    QPointer<QWidget> window_;
    std::function<void(std::vector<unsigned char>)> pasted_;
};

} // namespace

std::vector<TicketCells> ReviewPictures(qo::Control* owner, std::vector<Picture> pictures) {
    if (pictures.empty()) return {};
    QWidget* ownerWidget = OwnerWidget(owner);
    bool cancelled = false;
    const std::vector<ReadPicture> read = ReadAll(ownerWidget, pictures, cancelled);
    if (cancelled) return {};
    QStringList problems;
    bool any = false;
    for (const ReadPicture& r : read) {
        any = any || !r.result.tickets.empty();
        if (r.result.status != PhotoStatus::Read)
            problems << r.name + QStringLiteral(": ") + Text(Describe(r.result.status));
    }
    if (!any) {
        const QString text = Text("Билеты не добавлены.\n") + problems.join(QLatin1Char('\n'));
        qo::ShowMessageBox(owner, qo::Utf8ToCp1251(text.toStdString()), qo::Cp1251(kCaption),
                           qo::MB_OK | qo::MB_ICONEXCLAMATION);
        return {};
    }
    ReviewDialog dialog(ownerWidget, read, problems);
    if (QLineEdit* first = dialog.first()) first->setFocus();
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.added();
}

void WatchPicturePaste(qo::Control* window, std::function<void(std::vector<unsigned char>)> pasted) {
    if (QWidget* w = window ? window->widget() : nullptr) new PasteWatch(w, std::move(pasted));
}

int FirstBrokenCell(const TicketCells& ticket, std::string& why) {
    std::set<int> seen;
    for (int card = 0; card < 2; ++card) {
        const int base = card * 27;
        const bool empty =
            std::all_of(ticket.begin() + base, ticket.begin() + base + 27, [](int n) { return n == 0; });
        if (empty) continue;
        for (int row = 0; row < 3; ++row) {
            int count = 0, firstEmpty = -1;
            for (int column = 0; column < 9; ++column) {
                const int at = base + row * 9 + column;
                const int n = ticket[static_cast<std::size_t>(at)];
                if (n == 0) {
                    if (firstEmpty < 0) firstEmpty = at;
                    continue;
                }
                ++count;
                const int low = column == 0 ? 1 : column * 10, high = column == 8 ? 90 : column * 10 + 9;
                if (n < low || n > high) {
                    why = "число " + std::to_string(n) + " не из своего столбца: там стоят числа от " +
                          std::to_string(low) + " до " + std::to_string(high) + ".";
                    return at;
                }
                if (!seen.insert(n).second) {
                    why = "число " + std::to_string(n) + " стоит на билете дважды.";
                    return at;
                }
            }
            if (count != 5) {
                why = "в ряду " + std::to_string(row + 1) + " карточки " + std::to_string(card + 1) +
                      " чисел: " + std::to_string(count) + ", а должно быть пять.";
                return count < 5 && firstEmpty >= 0 ? firstEmpty : base + row * 9;
            }
        }
    }
    return -1;
}

} // namespace lotto::photo
