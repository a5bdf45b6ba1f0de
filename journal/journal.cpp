// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>
#include <algorithm>
#include <map>

namespace journal {

namespace {

// "Corv": marks the file as Corvel's journal.
constexpr int kApplicationId = 0x436F7276;

QString tr(const char* text) { return QCoreApplication::translate("journal::Journal", text); }

std::int64_t nowMs() { return QDateTime::currentMSecsSinceEpoch(); }

// SQLite's codes for a file that is not a database or is damaged.
bool isDamage(const QSqlError& e)
{
    const QString code = e.nativeErrorCode();
    return code == QLatin1String("26") || code == QLatin1String("11");
}

QString csvField(const std::string& s)
{
    QString q = QString::fromStdString(s);
    if (!q.contains(QLatin1Char(',')) && !q.contains(QLatin1Char('"')) && !q.contains(QLatin1Char('\n'))) return q;
    q.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

} // namespace

Journal::Journal(const QString& folder)
    : folder_(folder), file_(QDir(folder).filePath(QString::fromLatin1(kFileName))),
      owner_(QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    connection_ = QStringLiteral("corvel-journal-") + owner_;
    if (!QDir().mkpath(folder_)) {
        fail(tr("the folder cannot be made"));
        return;
    }
    available_ = openFile();
}

Journal::~Journal() { close(); }

void Journal::close()
{
    if (!QSqlDatabase::contains(connection_)) return;
    QSqlDatabase::database(connection_, false).close();
    QSqlDatabase::removeDatabase(connection_);
}

QString Journal::takeProblem() { return std::exchange(problem_, QString()); }

void Journal::fail(const QString& what)
{
    if (told_) return;
    told_ = true;
    problem_ = tr("Games are not being kept: the journal %1 cannot be written (%2). "
                  "The game goes on as usual.")
                   .arg(QDir::toNativeSeparators(file_), what);
}

void Journal::moveAside(const QString& why)
{
    close();
    const QString aside =
        file_ + QStringLiteral(".damaged-") + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-hhmmss"));
    if (!QFile::rename(file_, aside)) return;
    for (const char* side : {"-wal", "-shm"}) {
        const QString s = QString::fromLatin1(side);
        if (QFile::exists(file_ + s)) QFile::rename(file_ + s, aside + s);
    }
    told_ = true;
    problem_ = tr("The games journal %1 could not be read (%2). It has been kept as %3 and a new journal started.")
                   .arg(QDir::toNativeSeparators(file_), why, QDir::toNativeSeparators(aside));
}

// What the file holds: nothing wrong (empty when fine), or why it is not a
// journal Corvel can use; *failed when it could not even be read.
QString Journal::inspect(bool* failed)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(file_);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
    if (!db.open()) {
        fail(db.lastError().text());
        *failed = true;
        return {};
    }
    QSqlQuery q(db);
    // A file that is not a database, or a damaged one, fails here.
    if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next()) {
        if (isDamage(q.lastError())) return q.lastError().databaseText();
        fail(q.lastError().text());
        *failed = true;
        return {};
    }
    if (q.value(0).toString() != QLatin1String("ok")) return tr("it is damaged");
    q.finish();
    q.exec(QStringLiteral("PRAGMA application_id"));
    const int appId = q.next() ? q.value(0).toInt() : 0;
    q.finish();
    q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    const int objects = q.next() ? q.value(0).toInt() : 0;
    q.finish();
    if (appId != kApplicationId && (appId != 0 || objects > 0)) return tr("it is not Corvel's");
    return {};
}

bool Journal::openFile()
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        bool failed = false;
        const QString damage = inspect(&failed);
        if (!failed && damage.isEmpty() && prepare()) return true;
        close();
        if (failed || damage.isEmpty() || attempt == 1) return false;
        moveAside(damage);
        if (QFile::exists(file_)) {
            fail(tr("a damaged journal cannot be moved aside"));
            return false;
        }
    }
    return false;
}

bool Journal::prepare()
{
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    // A commit is in the write-ahead log before the call returns: a process
    // killed at any moment leaves the last committed change.
    if (!q.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !q.next() ||
        q.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0) {
        fail(q.lastError().isValid() ? q.lastError().text() : tr("no write-ahead log"));
        return false;
    }
    q.finish();
    q.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    q.exec(QStringLiteral("PRAGMA user_version"));
    const int version = q.next() ? q.value(0).toInt() : 0;
    q.finish();
    if (version > kSchemaVersion) {
        fail(tr("it was written by a newer Corvel"));
        return false;
    }
    if (version < kSchemaVersion && !migrate(version)) return false;
    return true;
}

// Each schema version's changes, from the one before; a fresh file goes
// through all of them.
bool Journal::migrate(int from)
{
    static const std::vector<std::vector<const char*>> steps = {
        {"CREATE TABLE games(id INTEGER PRIMARY KEY AUTOINCREMENT, updated INTEGER NOT NULL, state BLOB NOT NULL)"},
        {"ALTER TABLE games ADD COLUMN owner TEXT NOT NULL DEFAULT ''",
         "CREATE TABLE results(id INTEGER PRIMARY KEY AUTOINCREMENT, board INTEGER NOT NULL, level TEXT NOT NULL, "
         "rating INTEGER NOT NULL, seconds INTEGER NOT NULL, hints INTEGER NOT NULL, wrong INTEGER NOT NULL, "
         "by_solution INTEGER NOT NULL, finished_at INTEGER NOT NULL)"},
    };
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.transaction()) {
        fail(db.lastError().text());
        return false;
    }
    QSqlQuery q(db);
    bool ok = q.exec(QStringLiteral("PRAGMA application_id=%1").arg(kApplicationId));
    for (int v = from; ok && v < kSchemaVersion; ++v)
        for (const char* sql : steps[static_cast<std::size_t>(v)]) ok = ok && q.exec(QString::fromLatin1(sql));
    ok = ok && q.exec(QStringLiteral("PRAGMA user_version=%1").arg(kSchemaVersion));
    if (!ok || !db.commit()) {
        fail(q.lastError().isValid() ? q.lastError().text() : db.lastError().text());
        db.rollback();
        return false;
    }
    return true;
}

std::int64_t Journal::save(std::int64_t id, const GameRecord& record)
{
    if (!available_) return 0;
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    const QByteArray state = encode(record);
    const std::int64_t now = nowMs();
    if (id > 0) {
        q.prepare(QStringLiteral("UPDATE games SET state=?, updated=? WHERE id=? AND owner=?"));
        q.addBindValue(state);
        q.addBindValue(QVariant::fromValue<qint64>(now));
        q.addBindValue(QVariant::fromValue<qint64>(id));
        q.addBindValue(owner_);
        if (!q.exec()) {
            fail(q.lastError().text());
            return 0;
        }
        if (q.numRowsAffected() == 1) return id;
    }
    q.prepare(QStringLiteral("INSERT INTO games(owner, updated, state) VALUES(?, ?, ?)"));
    q.addBindValue(owner_);
    q.addBindValue(QVariant::fromValue<qint64>(now));
    q.addBindValue(state);
    if (!q.exec()) {
        fail(q.lastError().text());
        return 0;
    }
    return q.lastInsertId().toLongLong();
}

std::optional<GameRecord> Journal::load(std::int64_t id)
{
    if (!available_) return std::nullopt;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(QStringLiteral("SELECT state FROM games WHERE id=?"));
    q.addBindValue(QVariant::fromValue<qint64>(id));
    if (!q.exec() || !q.next()) return std::nullopt;
    std::optional<GameRecord> r = decode(q.value(0).toByteArray());
    if (!r) return std::nullopt;
    q.prepare(QStringLiteral("UPDATE games SET owner=? WHERE id=?"));
    q.addBindValue(owner_);
    q.addBindValue(QVariant::fromValue<qint64>(id));
    if (!q.exec()) fail(q.lastError().text());
    return r;
}

std::vector<GameSummary> Journal::unfinished()
{
    std::vector<GameSummary> out;
    if (!available_) return out;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!q.exec(QStringLiteral("SELECT id, updated, state FROM games ORDER BY updated DESC, id DESC"))) return out;
    while (q.next()) {
        const std::optional<GameRecord> r = decode(q.value(2).toByteArray());
        if (!r) continue; // kept in the file, but nothing to continue
        out.push_back({q.value(0).toLongLong(), r->numGrids, r->level, r->rating, r->seconds, r->filled(), r->open(),
                       q.value(1).toLongLong()});
    }
    return out;
}

std::optional<std::int64_t> Journal::resumable()
{
    if (!available_) return std::nullopt;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!q.exec(QStringLiteral("SELECT id, updated FROM games ORDER BY updated DESC, id DESC LIMIT 1")) || !q.next())
        return std::nullopt;
    const std::int64_t id = q.value(0).toLongLong(), updated = q.value(1).toLongLong();
    if (!q.exec(QStringLiteral("SELECT max(finished_at) FROM results")) || !q.next()) return std::nullopt;
    if (!q.value(0).isNull() && q.value(0).toLongLong() > updated) return std::nullopt;
    return id;
}

bool Journal::remove(std::int64_t id)
{
    if (!available_) return false;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(QStringLiteral("DELETE FROM games WHERE id=?"));
    q.addBindValue(QVariant::fromValue<qint64>(id));
    if (q.exec()) return true;
    fail(q.lastError().text());
    return false;
}

bool Journal::finish(std::int64_t id, const Result& r)
{
    if (!available_) return false;
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    if (!db.transaction()) {
        fail(db.lastError().text());
        return false;
    }
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO results(board, level, rating, seconds, hints, wrong, by_solution, "
                             "finished_at) VALUES(?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const QVariant& v : {QVariant(r.numGrids), QVariant(QString::fromStdString(r.level)), QVariant(r.rating),
                              QVariant(r.seconds), QVariant(r.hints), QVariant(r.wrongEntries),
                              QVariant(r.bySolution ? 1 : 0), QVariant::fromValue<qint64>(r.finishedAt)})
        q.addBindValue(v);
    bool ok = q.exec();
    if (ok && id > 0) {
        q.prepare(QStringLiteral("DELETE FROM games WHERE id=? AND owner=?"));
        q.addBindValue(QVariant::fromValue<qint64>(id));
        q.addBindValue(owner_);
        ok = q.exec();
    }
    if (!ok || !db.commit()) {
        fail(q.lastError().isValid() ? q.lastError().text() : db.lastError().text());
        db.rollback();
        return false;
    }
    return true;
}

std::vector<Result> Journal::results()
{
    std::vector<Result> out;
    if (!available_) return out;
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!q.exec(QStringLiteral("SELECT board, level, rating, seconds, hints, wrong, by_solution, finished_at "
                               "FROM results ORDER BY finished_at, id")))
        return out;
    while (q.next())
        out.push_back({q.value(0).toInt(), q.value(1).toString().toStdString(), q.value(2).toInt(), q.value(3).toInt(),
                       q.value(4).toInt(), q.value(5).toInt(), q.value(6).toInt() != 0, q.value(7).toLongLong()});
    return out;
}

std::vector<LevelFigures> figures(const std::vector<Result>& results, const std::vector<GameSummary>& unfinished,
                                  std::size_t recentCount)
{
    std::map<std::pair<int, std::string>, LevelFigures> by;
    auto at = [&](int grids, const std::string& level) -> LevelFigures& {
        LevelFigures& f = by[{grids, level}];
        f.numGrids = grids;
        f.level = level;
        return f;
    };
    for (const GameSummary& g : unfinished) ++at(g.numGrids, g.level).played;
    for (const Result& r : results) {
        LevelFigures& f = at(r.numGrids, r.level);
        ++f.played;
        if (r.bySolution) continue;
        ++f.finished;
        f.recent.push_back(r.seconds);
    }
    std::vector<LevelFigures> out;
    for (auto& [key, f] : by) {
        if (!f.recent.empty()) {
            std::vector<int> sorted = f.recent;
            std::sort(sorted.begin(), sorted.end());
            f.best = sorted.front();
            // An even count's median lies between its two middle times.
            const std::size_t mid = sorted.size() / 2;
            f.median = sorted.size() % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid] + 1) / 2;
            f.latest = f.recent.back();
            if (f.recent.size() > recentCount)
                f.recent.erase(f.recent.begin(), f.recent.end() - static_cast<std::ptrdiff_t>(recentCount));
        }
        out.push_back(std::move(f));
    }
    return out;
}

QString toCsv(const std::vector<Result>& results)
{
    QString out = QStringLiteral("finished,board,level,rating,seconds,hints,wrong_entries,by_solution\n");
    for (const Result& r : results) {
        out += QDateTime::fromMSecsSinceEpoch(r.finishedAt, Qt::UTC).toString(Qt::ISODate) +
               QLatin1Char(',') + (r.numGrids == 5 ? QStringLiteral("samurai") : QStringLiteral("standard")) +
               QLatin1Char(',') + csvField(r.level) + QLatin1Char(',') +
               (r.rating < 0 ? QString() : QStringLiteral("%1.%2").arg(r.rating / 10).arg(r.rating % 10)) +
               QStringLiteral(",%1,%2,%3,%4\n")
                   .arg(r.seconds)
                   .arg(r.hints)
                   .arg(r.wrongEntries)
                   .arg(r.bySolution ? QStringLiteral("yes") : QStringLiteral("no"));
    }
    return out;
}

} // namespace journal
