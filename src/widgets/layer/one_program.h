#pragma once
// One program per kept game, for the program's entry: the first start holds the data folder and
// receives the ticket files later starts are given; a later start hands its files over and ends, or,
// given none, runs beside it without keeping a game.
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qo::platform {
class SingleInstance;
}

namespace qo {

enum class ProgramRole {
    Keeper, // keeps the game and opens what later starts hand over
    Handed, // its files went to the program already running: nothing more to do
    Beside, // another program keeps the game: this one runs as ever but keeps none
};

class OneProgram {
public:
    // `lockNameUtf8`: the file beside the kept game that tells which program holds it.
    explicit OneProgram(std::string lockNameUtf8);
    ~OneProgram();
    OneProgram(const OneProgram&) = delete;
    OneProgram& operator=(const OneProgram&) = delete;

    // Decides the role for the current platform's data folder once. `files`: UTF-8 paths as given,
    // made absolute here, for a program whose own folder is another.
    ProgramRole claim(const std::vector<std::string>& files);
    // A Keeper's: `received` gets each batch of files (absolute, UTF-8) in the order given, from the
    // message loop.
    void onFiles(std::function<void(const std::vector<std::string>&)> received);

private:
    std::string lockName_;
    std::unique_ptr<platform::SingleInstance> instance_;
};

} // namespace qo
