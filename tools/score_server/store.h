#pragma once
// The score server's records, kept in SQLite in the data folder (score.db), so that concurrent uploads
// never lose or corrupt a score and a restart keeps everything:
//
//   accounts (name, hash)   one per user name; hash is libsodium's argon2id string, salt included
//   uploads  (id, week, account, table_id, score, name, badges, timestamp, level, mode, flags,
//             quit, best, received)      every upload, as sent; best holds the 30 Best values
//
// Every call may come from any of the server's threads; a call is one transaction.

#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "scores/score_file.h"

struct sqlite3;

namespace glimmet::server {

struct Store {
    sqlite3* db = nullptr;
    std::mutex mutex;
    // Keyed digests of the name and password pairs verified since start: a player's uploads then skip
    // the deliberately slow password hash, so a burst of uploads is not held up behind it. The key is
    // drawn at start and never stored.
    std::set<std::string> verified;
    std::string digestKey;
};

// Opens or creates score.db in folder; false with a reason when it cannot.
bool OpenStore(Store& store, const std::string& folder, std::string& error);
void CloseStore(Store& store);

enum class LoginResult { Registered, Correct, Wrong, Failed };

// Checks name and password; an unknown name is registered when `registerNew`, and is Wrong otherwise.
LoginResult CheckLogin(Store& store, const std::string& name, const std::string& password, bool registerNew);

bool SaveUpload(Store& store, int week, const std::string& account, const Scores& row);

// The best distinct rows of a table, highest score first, equal scores in the order they came in.
std::vector<Scores> BestRows(Store& store, int week, int tableId, int count);

} // namespace glimmet::server
