#include "widgets/layer/kept_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/files.h"
#include "widgets/layer/delivery.h"

namespace qo {

bool ReadKeptFile(const std::string& pathUtf8, std::string& bytes, std::int64_t maxBytes,
                  std::string* error) {
    QFile f(QString::fromStdString(pathUtf8));
    if (!f.open(QIODevice::ReadOnly)) {
        if (error) *error = f.errorString().toStdString();
        return false;
    }
    const QByteArray all = f.read(maxBytes + 1);
    if (all.size() > maxBytes) {
        if (error) *error = "File too large";
        return false;
    }
    if (f.error() != QFileDevice::NoError) {
        if (error) *error = f.errorString().toStdString();
        return false;
    }
    bytes.assign(all.constData(), static_cast<std::size_t>(all.size()));
    return true;
}

bool WriteKeptFile(const std::string& pathUtf8, const std::string& bytes, const std::string& backupUtf8,
                   std::string* error) {
    const QString path = QString::fromStdString(pathUtf8);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    // The toolkit would write in place where it cannot make a file beside; that is the one thing
    // this function exists to avoid.
    f.setDirectWriteFallback(false);
    if (!f.open(QIODevice::WriteOnly) ||
        f.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size()) ||
        !f.flush()) {
        if (error) *error = f.errorString().toStdString();
        f.cancelWriting();
        return false;
    }
    // On the disk before the old file steps aside, so the moment with only the backup is short.
    platform::SyncFile(f.handle());
    // Replaces the old backup in one step where QFile::rename would refuse.
    const QString backup = QString::fromStdString(backupUtf8);
    const bool backedUp = !backupUtf8.empty() && QFileInfo::exists(path);
    if (backedUp && !platform::RenameReplacing(path, backup)) {
        if (error) *error = "Cannot keep the previous file as a backup";
        f.cancelWriting();
        return false;
    }
    // commit() syncs again, then renames the new text over the file.
    if (!f.commit()) {
        if (error) *error = f.errorString().toStdString();
        if (backedUp) platform::RenameReplacing(backup, path);
        return false;
    }
    platform::SyncFolderOf(path);
    return true;
}

bool CopyKeptFile(const std::string& fromUtf8, const std::string& toUtf8) {
    QFile in(QString::fromStdString(fromUtf8));
    if (!in.open(QIODevice::ReadOnly)) return false;
    const QByteArray all = in.readAll();
    if (in.error() != QFileDevice::NoError) return false;
    return WriteKeptFile(toUtf8, std::string(all.constData(), static_cast<std::size_t>(all.size())), {},
                         nullptr);
}

struct KeptFileWriter::Shared {
    struct Job {
        std::string path, bytes, backup;
        Make make;
        Done done;
    };
    struct Ended {
        Done done;
        bool written = false;
        std::string error;
    };

    std::mutex mutex;
    std::condition_variable changed;
    std::optional<Job> waiting;
    bool running = false;
    bool quit = false;
    std::deque<Ended> ended; // told on the event loop
    std::thread thread;

    void Work() {
        std::unique_lock lock(mutex);
        for (;;) {
            changed.wait(lock, [this] { return quit || waiting; });
            if (quit) return;
            Job job = std::move(*waiting);
            waiting.reset();
            running = true;
            lock.unlock();
            Ended e{std::move(job.done), false, {}};
            if (Made(job, e.error)) e.written = WriteKeptFile(job.path, job.bytes, job.backup, &e.error);
            job.make = nullptr; // what it holds goes here, not under the lock
            lock.lock();
            running = false;
            ended.push_back(std::move(e));
            changed.notify_all();
            // The event loop tells the writer's owner; a writer gone by then tells nobody.
            QMetaObject::invokeMethod(
                qApp,
                [weak = std::weak_ptr<Shared>(Self())] {
                    if (auto s = weak.lock()) s->TellEnded();
                },
                Qt::QueuedConnection);
        }
    }

    static bool Made(Job& job, std::string& error) {
        if (!job.make) return true;
        try {
            job.bytes = job.make();
            return true;
        } catch (const std::exception& e) {
            // Out of memory for the text: the file stays as it was, and the owner hears it failed.
            error = e.what();
            return false;
        }
    }

    void TellEnded() {
        std::deque<Ended> told;
        {
            std::lock_guard lock(mutex);
            told.swap(ended);
        }
        for (Ended& e : told) {
            Guarded(Doing::FileWrite, 0, false, [&] {
                if (e.done) e.done(e.written, e.error);
            });
        }
    }

    std::shared_ptr<Shared> Self() { return self.lock(); }
    std::weak_ptr<Shared> self;
};

KeptFileWriter::KeptFileWriter() : shared_(std::make_shared<Shared>()) {
    shared_->self = shared_;
    shared_->thread = std::thread([s = shared_.get()] { s->Work(); });
}

KeptFileWriter::~KeptFileWriter() {
    {
        std::lock_guard lock(shared_->mutex);
        shared_->quit = true;
        shared_->waiting.reset();
    }
    shared_->changed.notify_all();
    shared_->thread.join();
}

void KeptFileWriter::post(std::string pathUtf8, std::string bytes, std::string backupUtf8, Done done) {
    {
        std::lock_guard lock(shared_->mutex);
        shared_->waiting = Shared::Job{std::move(pathUtf8), std::move(bytes), std::move(backupUtf8), nullptr,
                                       std::move(done)};
    }
    shared_->changed.notify_all();
}

void KeptFileWriter::post(std::string pathUtf8, Make make, std::string backupUtf8, Done done) {
    {
        std::lock_guard lock(shared_->mutex);
        shared_->waiting =
            Shared::Job{std::move(pathUtf8), {}, std::move(backupUtf8), std::move(make), std::move(done)};
    }
    shared_->changed.notify_all();
}

void KeptFileWriter::drain() {
    {
        std::unique_lock lock(shared_->mutex);
        shared_->changed.wait(lock, [this] { return !shared_->running && !shared_->waiting; });
    }
    shared_->TellEnded();
}

bool PathExists(const std::string& pathUtf8) {
    return QFileInfo::exists(QString::fromStdString(pathUtf8));
}

} // namespace qo
