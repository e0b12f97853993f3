#pragma once
// One program per kept game. The first start for a data folder holds it (a lock beside the kept
// game) and listens for what later starts are given; a later start with files hands them to it and
// ends, and one without files runs beside it keeping no game, so no two programs ever write one
// game or take the other's for a crashed run. A holder that died leaves a stale lock the next start
// takes over.
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace qo::platform {

class SingleInstance {
public:
    enum class Role {
        Keeper, // this program holds the folder: it keeps the game and receives others' files
        Handed, // the files went to the program that holds the folder; this start has nothing to do
        Beside, // another program holds the folder and took nothing from this one
    };

    // `folder`: the data folder, with its trailing '/'; an empty one is no one's and makes a Keeper
    // that keeps nothing and listens to no one. `lockName`: the lock's file name in it.
    SingleInstance(const QString& folder, const QString& lockName);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Decides this start's role once. `files` (absolute paths) go to the holder when there is one;
    // it is waited for up to `waitMs`, as it may be starting itself at this very moment.
    Role claim(const QStringList& files, int waitMs = 5000);
    Role role() const { return role_; }

    // A Keeper's: `received` gets each batch of files a later start hands over, in the order given,
    // on the thread that made this object, from its event loop.
    void onFiles(std::function<void(const QStringList&)> received);

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
    Role role_ = Role::Keeper;
};

} // namespace qo::platform
