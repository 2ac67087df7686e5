#include "store.h"

#include <sodium.h>
#include <sqlite3.h>

#include <ctime>

#include "scores/fields.h"

namespace glimmet::server {

namespace {

const char* const Schema = R"(
PRAGMA journal_mode = WAL;
PRAGMA synchronous = FULL;
CREATE TABLE IF NOT EXISTS accounts (name TEXT PRIMARY KEY, hash TEXT NOT NULL);
CREATE TABLE IF NOT EXISTS uploads (
  id INTEGER PRIMARY KEY, week INTEGER NOT NULL, account TEXT NOT NULL, table_id INTEGER NOT NULL,
  score INTEGER NOT NULL, name TEXT NOT NULL, badges INTEGER NOT NULL, timestamp INTEGER NOT NULL,
  level INTEGER NOT NULL, mode INTEGER NOT NULL, flags INTEGER NOT NULL, quit INTEGER NOT NULL,
  best TEXT NOT NULL, received INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS uploads_by_table ON uploads (week, table_id, score);
)";

// One prepared statement, finalised when it goes out of scope.
class Statement {
  public:
    Statement(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr); }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int slot, const std::string& text) {
        sqlite3_bind_text(statement_, slot, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        return *this;
    }
    Statement& Bind(int slot, long long value) {
        sqlite3_bind_int64(statement_, slot, value);
        return *this;
    }
    bool Row() { return statement_ != nullptr && sqlite3_step(statement_) == SQLITE_ROW; }
    bool Done() { return statement_ != nullptr && sqlite3_step(statement_) == SQLITE_DONE; }
    long long Number(int column) { return sqlite3_column_int64(statement_, column); }
    std::string Text(int column) {
        auto text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
        return text == nullptr
                   ? ""
                   : std::string(text, static_cast<size_t>(sqlite3_column_bytes(statement_, column)));
    }

  private:
    sqlite3_stmt* statement_ = nullptr;
};

std::string HashPassword(const std::string& password) {
    char hash[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(hash, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0)
        return "";
    return hash;
}

bool PasswordMatches(const std::string& hash, const std::string& password) {
    return crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
}

std::string PairDigest(const Store& store, const std::string& name, const std::string& password) {
    const std::string pair = name + '\0' + password;
    unsigned char digest[crypto_generichash_BYTES];
    crypto_generichash(digest, sizeof digest, reinterpret_cast<const unsigned char*>(pair.data()), pair.size(),
                       reinterpret_cast<const unsigned char*>(store.digestKey.data()), store.digestKey.size());
    return std::string(reinterpret_cast<const char*>(digest), sizeof digest);
}

// The password check, remembering the pairs that matched: the hash of an account never changes.
bool Verified(Store& store, const std::string& name, const std::string& hash, const std::string& password) {
    const std::string digest = PairDigest(store, name, password);
    {
        std::lock_guard lock(store.mutex);
        if (store.verified.count(digest) > 0) return true;
    }
    if (!PasswordMatches(hash, password)) return false;
    std::lock_guard lock(store.mutex);
    store.verified.insert(digest);
    return true;
}

// The stored hash of name, or "" for an unknown name.
std::string StoredHash(Store& store, const std::string& name) {
    std::lock_guard lock(store.mutex);
    Statement find(store.db, "SELECT hash FROM accounts WHERE name = ?");
    return find.Bind(1, name).Row() ? find.Text(0) : "";
}

std::string BestText(const Scores& row) {
    std::string text;
    for (int i = 1; i <= 30; i++)
        text += std::to_string(row.Best[static_cast<size_t>(i)]) + (i < 30 ? "|" : "");
    return text;
}

} // namespace

bool OpenStore(Store& store, const std::string& folder, std::string& error) {
    if (sodium_init() < 0) {
        error = "libsodium could not start";
        return false;
    }
    store.digestKey.resize(crypto_generichash_KEYBYTES);
    randombytes_buf(store.digestKey.data(), store.digestKey.size());
    const std::string path = folder + "/score.db";
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;
    char* message = nullptr;
    if (sqlite3_open_v2(path.c_str(), &store.db, flags, nullptr) != SQLITE_OK ||
        sqlite3_busy_timeout(store.db, 5000) != SQLITE_OK ||
        sqlite3_exec(store.db, Schema, nullptr, nullptr, &message) != SQLITE_OK) {
        error = path + ": " + (message != nullptr ? message : sqlite3_errmsg(store.db));
        sqlite3_free(message);
        CloseStore(store);
        return false;
    }
    return true;
}

void CloseStore(Store& store) {
    sqlite3_close(store.db);
    store.db = nullptr;
}

LoginResult CheckLogin(Store& store, const std::string& name, const std::string& password, bool registerNew) {
    std::string hash = StoredHash(store, name);
    if (hash.empty()) {
        if (!registerNew) return LoginResult::Wrong;
        std::string fresh = HashPassword(password); // slow on purpose: outside the lock
        if (fresh.empty()) return LoginResult::Failed;
        std::lock_guard lock(store.mutex);
        Statement add(store.db, "INSERT OR IGNORE INTO accounts (name, hash) VALUES (?, ?)");
        if (!add.Bind(1, name).Bind(2, fresh).Done()) return LoginResult::Failed;
        if (sqlite3_changes(store.db) == 1) {
            store.verified.insert(PairDigest(store, name, password));
            return LoginResult::Registered;
        }
    }
    // Known, or registered by a request that came in at the same time.
    if (hash.empty()) hash = StoredHash(store, name);
    return Verified(store, name, hash, password) ? LoginResult::Correct : LoginResult::Wrong;
}

bool SaveUpload(Store& store, int week, const std::string& account, const Scores& row) {
    std::lock_guard lock(store.mutex);
    Statement add(store.db,
                  "INSERT INTO uploads (week, account, table_id, score, name, badges, timestamp, level, "
                  "mode, flags, quit, best, received) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    add.Bind(1, week).Bind(2, account).Bind(3, row.GameMode + 100LL * row.Level + 1000LL * row.GameFlags);
    add.Bind(4, row.Score).Bind(5, row.Name).Bind(6, row.Badges).Bind(7, row.Timestamp).Bind(8, row.Level);
    add.Bind(9, row.GameMode).Bind(10, row.GameFlags).Bind(11, row.Quit).Bind(12, BestText(row));
    return add.Bind(13, static_cast<long long>(std::time(nullptr))).Done();
}

std::vector<Scores> BestRows(Store& store, int week, int tableId, int count) {
    std::lock_guard lock(store.mutex);
    // The same record sent again (a refresh offers the best local score each time) is shown once.
    Statement best(store.db,
                   "SELECT score, name, badges, timestamp, level, mode, flags, quit, best, MIN(id) AS first "
                   "FROM uploads WHERE week = ? AND table_id = ? "
                   "GROUP BY score, name, badges, timestamp, level, mode, flags, quit, best "
                   "ORDER BY score DESC, first ASC LIMIT ?");
    best.Bind(1, week).Bind(2, tableId).Bind(3, count);
    std::vector<Scores> rows;
    while (best.Row()) {
        Scores row;
        row.Score = best.Number(0);
        row.Name = best.Text(1);
        row.Badges = static_cast<int32_t>(best.Number(2));
        row.Timestamp = best.Number(3);
        row.Level = static_cast<int32_t>(best.Number(4));
        row.GameMode = static_cast<int32_t>(best.Number(5));
        row.GameFlags = static_cast<int32_t>(best.Number(6));
        row.Quit = static_cast<int32_t>(best.Number(7));
        const std::string values = best.Text(8);
        for (int i = 1; i <= 30; i++) row.Best[static_cast<size_t>(i)] = ReadInt(Field(values, "|", i));
        rows.push_back(row);
    }
    return rows;
}

} // namespace glimmet::server
