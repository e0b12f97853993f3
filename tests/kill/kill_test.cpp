// The program killed at random moments while a player uses it: after every kill the kept game must
// read back whole, by the rule the program itself reads it at start, and be a game the program
// held no longer ago than the keeper's delay and some slack. The runs share one data folder, so
// each one starts from what the kill before left, and must put it back when offered.
// QO_KILL_SEED replays a run of the test; QO_KILL_RUNS sets the number of kills.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "app/inline_code_kept_game.h"
#include "app/kept_game.h"
#include "kill/game_hash.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using lotto::KeptGame;
using Outcome = lotto::KeptGameReading::Outcome;

constexpr long long kMs = 1'000'000;
constexpr int kProgramDelayMs = 1000; // the keeper's delay as the program sets it
constexpr int kShortDelayMs = 20;     // writes one after another, so that kills land inside them
constexpr long long kSlackMs = 500;   // a busy machine's lateness on top of the delay

long FromEnvironment(const char* name, long fallback) {
    const char* v = std::getenv(name);
    return v && *v ? std::strtol(v, nullptr, 10) : fallback;
}

long long Now() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A line of the target's log (kill_target_main.cpp describes the records).
struct Record {
    char kind = 0;
    long long ns = 0;
    unsigned long long game = 0;
    int writes = 0;
};

std::vector<Record> ReadLog(const fs::path& path) {
    std::vector<Record> records;
    std::istringstream lines(ReadAll(path));
    std::string line;
    while (std::getline(lines, line)) {
        Record r;
        if (std::sscanf(line.c_str(), "%c %lld %llu %d", &r.kind, &r.ns, &r.game, &r.writes) >= 2) records.push_back(r);
    }
    return records;
}

std::string Tail(const std::vector<Record>& log, long long startNs) {
    std::ostringstream out;
    for (std::size_t i = log.size() > 12 ? log.size() - 12 : 0; i < log.size(); ++i)
        out << "  " << log[i].kind << " +" << (log[i].ns - startNs) / kMs << " ms " << log[i].game << " "
            << log[i].writes << "\n";
    return out.str();
}

// What the folder holds for the next start, read as the program reads it: the file, or the backup
// alone when a kill came between making the backup and putting the new file in its place.
struct KeptFile {
    bool any = false;
    bool backupOnly = false;
    Outcome outcome = Outcome::NotOurs;
    KeptGame game;
};

KeptFile ReadKept(const fs::path& folder) {
    const fs::path file = folder / lotto::TQOInlineCode_KeptGame::kFileName;
    const fs::path backup = folder / (std::string(lotto::TQOInlineCode_KeptGame::kFileName) + ".1");
    KeptFile kept;
    kept.backupOnly = !fs::exists(file);
    const fs::path& read = kept.backupOnly ? backup : file;
    if (!fs::exists(read)) return kept;
    kept.any = true;
    kept.outcome = lotto::ReadKeptGame(ReadAll(read), kept.game).outcome;
    return kept;
}

struct Figures {
    int kills = 0;
    int restores = 0;
    int equal = 0;
    int damaged = 0;
    int duringWrite = 0;
    int backupOnly = 0;
    int leftovers = 0;
    long long largestLagNs[2] = {}; // at the program's delay, at the short one
};

class KillRuns {
public:
    KillRuns(const fs::path& scratch, std::uint64_t seed) : scratch_(scratch), rng_(seed) {
        for (const char* sub : {"data", "logs", "tmp"})
            fs::create_directories(scratch_ / sub);
    }

    const Figures& figures() const { return figures_; }

    // One run started, played and killed; "" when what it left is right.
    std::string run(int index) {
        const int delayMs = index % 5 == 1 || index % 5 == 3 ? kShortDelayMs : kProgramDelayMs;
        const fs::path log = scratch_ / "logs" / ("run-" + std::to_string(index) + ".log");
        const fs::path err = scratch_ / "logs" / ("run-" + std::to_string(index) + ".err");
        const std::string seed = std::to_string(rng_() % 1'000'000'000u);
        // Long enough, at the program's delay, for a run to outlive the bound it is held to.
        const int longestMs = delayMs == kProgramDelayMs ? 2500 : 1500;
        const auto lifeMs = std::uniform_int_distribution<int>(50, longestMs)(rng_);

        const long long startNs = Now();
        const pid_t pid = spawn({KILL_TARGET, (data() / "").string(), seed, log.string(), std::to_string(delayMs)},
                                err);
        if (pid <= 0) return "the target could not be started";
        std::this_thread::sleep_for(std::chrono::milliseconds(lifeMs));
        const long long killNs = Now();
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ++figures_.kills;
        if (!WIFSIGNALED(status) || WTERMSIG(status) != SIGKILL)
            return "the target ended by itself (status " + std::to_string(status) + "):\n" + ReadAll(err);
        fs::remove_all(scratch_ / "tmp"); // the program folders the killed run could not take away
        fs::create_directory(scratch_ / "tmp");

        const std::vector<Record> records = ReadLog(log);
        std::ostringstream where;
        where << "run " << index << " (target seed " << seed << ", delay " << delayMs << " ms), killed after "
              << lifeMs << " ms; the log ends:\n"
              << Tail(records, startNs);

        for (const fs::directory_entry& e : fs::directory_iterator(data())) {
            const std::string name = e.path().filename().string();
            const std::string base = lotto::TQOInlineCode_KeptGame::kFileName;
            if (name == base + ".bad") {
                ++figures_.damaged;
                return "the program found its file damaged at start; " + where.str();
            }
            if (name != base && name != base + ".1") {
                ++figures_.leftovers; // a temporary file a killed write left
                fs::remove(e.path());
            }
        }
        const KeptFile kept = ReadKept(data());
        if (!kept.any) {
            if (everKept_) return "neither the file nor its backup is left; " + where.str();
        } else if (kept.outcome != Outcome::Read) {
            ++figures_.damaged;
            return std::string("the kept ") + (kept.backupOnly ? "backup" : "file") + " does not read whole; " +
                   where.str();
        }
        everKept_ = everKept_ || kept.any;

        // The game put back at start is the last game whole. The program offers only tickets: a
        // game without them leaves the start as it always was, and that is what it keeps first.
        const std::uint64_t previous = killtest::GameHash(previous_);
        const std::uint64_t fresh = killtest::GameHash(KeptGame{});
        for (const Record& r : records) {
            if (r.kind != 'R') continue;
            ++figures_.restores;
            if (r.game != (previous_.tickets.empty() ? fresh : previous))
                return "the game put back at start is not the one the last run kept; " + where.str();
        }

        // The latest moment the program still held the kept game. Until its first write the file
        // rightly holds the last game, for as long as the program holds it put back or, when there
        // was nothing to put back, its fresh start, which is no reason to write over the last game.
        const std::uint64_t game = killtest::GameHash(kept.game);
        const std::uint64_t standIn = previous_.tickets.empty() ? fresh : previous;
        long long heldUntil = LLONG_MIN;
        auto nextOf = [&](std::size_t i, char kind) {
            for (std::size_t j = i + 1; j < records.size(); ++j) {
                if (records[j].kind == kind) return records[j].ns;
            }
            return killNs;
        };
        if (game == previous) heldUntil = nextOf(static_cast<std::size_t>(-1), 'S');
        // Whether a write was under way, as the keeper's writer goes: a game handed over starts at
        // once or waits, in place of any other waiting, for the running one to end; each end the
        // keeper is told of lets the waiting one start. (The tell comes a moment after the end, so
        // this counts a little more than the writes themselves.)
        std::uint64_t written = fresh;
        bool handed = false, running = false, waiting = false;
        int writes = 0;
        for (std::size_t i = 0; i < records.size(); ++i) {
            const Record& r = records[i];
            if (r.kind == 'S') continue;
            for (; writes < r.writes; ++writes) {
                running = waiting;
                waiting = false;
            }
            if (r.kind == 'T' && r.game != written) {
                written = r.game;
                handed = true;
                (running ? waiting : running) = true;
            }
            if (r.game != game && !(game == previous && !handed && r.game == standIn)) continue;
            if (r.kind == 'R' || r.kind == 'E') heldUntil = std::max(heldUntil, nextOf(i, 'S'));
            if (r.kind == 'T') heldUntil = std::max(heldUntil, nextOf(i, 'U'));
            if (r.kind == 'W') heldUntil = std::max(heldUntil, r.ns);
        }
        const bool inWrite = running;
        if (inWrite) ++figures_.duringWrite;
        if (inWrite && kept.backupOnly) ++figures_.backupOnly;
        if (heldUntil == LLONG_MIN)
            return "the kept game is none the program held (" + std::to_string(game) + "); " + where.str();
        const long long lag = std::max(0LL, killNs - heldUntil);
        if (lag > (delayMs + kSlackMs) * kMs) {
            return "the kept game was last held " + std::to_string(lag / kMs) + " ms before the kill; " +
                   where.str();
        }
        ++figures_.equal;
        long long& largest = figures_.largestLagNs[delayMs == kProgramDelayMs ? 0 : 1];
        largest = std::max(largest, lag);
        previous_ = kept.game;
        return {};
    }

private:
    fs::path data() const { return scratch_ / "data"; }

    pid_t spawn(const std::vector<std::string>& args, const fs::path& output) {
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        // The program's temporary folders go where the test clears them after each kill.
        std::vector<std::string> env = {"QT_QPA_PLATFORM=offscreen", "TMPDIR=" + (scratch_ / "tmp").string()};
        for (char** e = environ; *e; ++e) {
            const std::string v = *e;
            if (v.rfind("QT_QPA_PLATFORM=", 0) != 0 && v.rfind("TMPDIR=", 0) != 0) env.push_back(v);
        }
        std::vector<char*> envp;
        for (std::string& v : env)
            envp.push_back(v.data());
        envp.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
        pid_t pid = 0;
        const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        return failed ? -1 : pid;
    }

    fs::path scratch_;
    std::mt19937_64 rng_;
    Figures figures_;
    KeptGame previous_;          // what the last kill left (nothing before the first run)
    bool everKept_ = false;
};

TEST(KeptGameKill, TwoHundredKillsLoseNothing) {
    const auto seed = static_cast<std::uint64_t>(FromEnvironment("QO_KILL_SEED", 20'240'612));
    const long runs = FromEnvironment("QO_KILL_RUNS", 200);
    std::cout << "kill test: seed " << seed << ", " << runs << " runs (QO_KILL_SEED, QO_KILL_RUNS)" << std::endl;

    std::string pattern = (fs::temp_directory_path() / "kept_game_kill-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const fs::path scratch = pattern;
    const auto started = std::chrono::steady_clock::now();
    KillRuns kills(scratch, seed);
    for (int i = 0; i < runs; ++i) {
        const std::string wrong = kills.run(i);
        if (!wrong.empty())
            FAIL() << wrong << "seed " << seed << "; the data folder and the logs are kept in " << scratch;
    }
    const Figures& f = kills.figures();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::cout << "kills: " << f.kills << "\n"
              << "restores checked: " << f.restores << "\n"
              << "states equal: " << f.equal << "\n"
              << "damaged files: " << f.damaged << "\n"
              << "kills during a write: " << f.duringWrite << " (the backup alone left: " << f.backupOnly
              << ", temporary files left: " << f.leftovers << ")\n"
              << "largest lag: " << f.largestLagNs[0] / kMs << " ms at the delay of " << kProgramDelayMs << " ms, "
              << f.largestLagNs[1] / kMs << " ms at " << kShortDelayMs << " ms (allowed: the delay + " << kSlackMs
              << " ms)\n"
              << "time: " << seconds << " s" << std::endl;
    fs::remove_all(scratch);
}

} // namespace
