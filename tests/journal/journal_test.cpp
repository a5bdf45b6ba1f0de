// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>
#include <QDateTime>
#include <QThread>
#include <functional>
#include <set>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>
#include <unistd.h>

#include "journal.h"
#include "sample_game.h"

using journal::Journal;

namespace {

QCoreApplication& app()
{
    static int argc = 1;
    static char name[] = "journal_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication a(argc, argv);
    return a;
}

struct JournalTest : ::testing::Test {
    QTemporaryDir dir;
    QString folder = (app(), dir.filePath(QStringLiteral("j")));
    QString file() const { return QDir(folder).filePath(QString::fromLatin1(Journal::kFileName)); }
    QStringList asideFiles() const
    {
        return QDir(folder).entryList({QStringLiteral("journal.sqlite.damaged-*")}, QDir::Files);
    }
    // Runs SQL on a file through a connection of its own.
    static void sql(const QString& file, const QStringList& statements)
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
            db.setDatabaseName(file);
            ASSERT_TRUE(db.open());
            QSqlQuery q(db);
            for (const QString& s : statements) ASSERT_TRUE(q.exec(s)) << s.toStdString();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    }
};

} // namespace

TEST_F(JournalTest, GameComesBackWholeOnBothBoards)
{
    for (int grids : {1, 5}) {
        const journal::GameRecord game = sampleGame(grids, 4);
        std::int64_t id = 0;
        {
            Journal j(folder);
            ASSERT_TRUE(j.available());
            id = j.save(0, game);
            ASSERT_GT(id, 0);
        }
        Journal j(folder);
        EXPECT_EQ(j.load(id), game);
        const auto list = j.unfinished();
        ASSERT_FALSE(list.empty());
        EXPECT_EQ(list[0].id, id) << "newest first";
        EXPECT_EQ(std::tuple(list[0].numGrids, list[0].level, list[0].seconds, list[0].filled, list[0].open),
                  std::tuple(grids, game.level, 4, game.filled(), game.open()));
        // Every cut of the bytes, and a foreign byte, is refused.
        const QByteArray bytes = journal::encode(game);
        EXPECT_EQ(journal::decode(bytes), game);
        for (qsizetype n = 0; n < bytes.size(); ++n) ASSERT_FALSE(journal::decode(bytes.left(n))) << n;
        EXPECT_FALSE(journal::decode(bytes + '\0'));
    }
}

TEST_F(JournalTest, FirstSchemaVersionIsMigrated)
{
    ASSERT_TRUE(QDir().mkpath(folder));
    const journal::GameRecord game = sampleGame(1, 9);
    sql(file(), {QStringLiteral("PRAGMA application_id=1131377270"), QStringLiteral("PRAGMA user_version=1"),
                 QStringLiteral("CREATE TABLE games(id INTEGER PRIMARY KEY AUTOINCREMENT, updated INTEGER NOT NULL, "
                                "state BLOB NOT NULL)"),
                 QStringLiteral("INSERT INTO games(updated, state) VALUES(5, x'%1')")
                     .arg(QString::fromLatin1(journal::encode(game).toHex()))});
    Journal j(folder);
    ASSERT_TRUE(j.available()) << j.takeProblem().toStdString();
    EXPECT_TRUE(j.takeProblem().isEmpty());
    EXPECT_EQ(j.load(1), game);
    EXPECT_EQ(j.save(1, game), 1) << "the row loaded is this journal's";
    EXPECT_TRUE(j.finish(1, {1, "Moderate", 52, 9, 1, 2, false, 10}));
    EXPECT_EQ(j.results().size(), 1u);
    EXPECT_TRUE(j.unfinished().empty());
}

TEST_F(JournalTest, DamagedOrForeignFileIsKeptAsideAndAFreshOneStarted)
{
    const QByteArray garbage = QByteArray("not a journal at all\n").repeated(300);
    const std::vector<std::function<void()>> makers = {
        [&] {
            QFile f(file());
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(garbage);
        },
        [&] { sql(file(), {QStringLiteral("CREATE TABLE addresses(name TEXT)")}); },
    };
    for (const auto& make : makers) {
        QDir(folder).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(folder));
        make();
        QFile original(file());
        ASSERT_TRUE(original.open(QIODevice::ReadOnly));
        const QByteArray before = original.readAll();
        original.close();

        Journal j(folder);
        EXPECT_TRUE(j.available());
        EXPECT_FALSE(j.takeProblem().isEmpty());
        EXPECT_TRUE(j.takeProblem().isEmpty()) << "told once";
        ASSERT_EQ(asideFiles().size(), 1);
        QFile aside(QDir(folder).filePath(asideFiles()[0]));
        ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
        EXPECT_EQ(aside.readAll(), before);
        EXPECT_GT(j.save(0, sampleGame(1, 3)), 0);
        EXPECT_EQ(j.unfinished().size(), 1u);
    }
}

TEST_F(JournalTest, UnwritableFolderLeavesTheJournalOffAndSaysSoOnce)
{
    // A folder under a regular file cannot be made, even by root; a
    // read-only folder only stops others.
    QFile blocker(dir.filePath(QStringLiteral("file")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    std::vector<QString> folders = {dir.filePath(QStringLiteral("file/journal"))};
    if (geteuid() != 0) {
        const QString ro = dir.filePath(QStringLiteral("ro"));
        ASSERT_TRUE(QDir().mkpath(ro));
        QFile::setPermissions(ro, QFile::ReadOwner | QFile::ExeOwner);
        folders.push_back(ro);
    }
    for (const QString& f : folders) {
        Journal j(f);
        EXPECT_FALSE(j.available()) << f.toStdString();
        EXPECT_FALSE(j.takeProblem().isEmpty());
        EXPECT_EQ(j.save(0, sampleGame(1, 1)), 0);
        EXPECT_FALSE(j.finish(0, {}));
        EXPECT_TRUE(j.unfinished().empty() && j.results().empty() && !j.resumable());
        EXPECT_TRUE(j.takeProblem().isEmpty()) << "told once";
    }
    // A journal whose writes start failing says so at the first.
    Journal j(folder);
    sql(file(), {QStringLiteral("DROP TABLE games")});
    EXPECT_EQ(j.save(0, sampleGame(1, 1)), 0);
    EXPECT_FALSE(j.takeProblem().isEmpty());
    EXPECT_EQ(j.save(0, sampleGame(1, 2)), 0);
    EXPECT_TRUE(j.takeProblem().isEmpty()) << "told once";
}

TEST_F(JournalTest, TwoJournalsNeverOverwriteEachOthersGames)
{
    Journal a(folder), b(folder);
    const std::int64_t id = a.save(0, sampleGame(1, 1));
    EXPECT_EQ(b.load(id), sampleGame(1, 1)); // b continues a's game
    EXPECT_EQ(b.save(id, sampleGame(1, 2)), id);
    const std::int64_t forked = a.save(id, sampleGame(1, 3));
    EXPECT_NE(forked, id) << "a writes its own row";
    EXPECT_EQ(b.load(id), sampleGame(1, 2));
    EXPECT_EQ(a.load(forked), sampleGame(1, 3));
    EXPECT_TRUE(a.finish(id, {})) << "the result counts";
    EXPECT_EQ(b.save(id, sampleGame(1, 4)), id) << "b's game was not a's to drop";
}

TEST_F(JournalTest, FiguresAndCsvOfAKnownHistory)
{
    using R = journal::Result;
    const std::vector<R> results = {
        {1, "Easy", 15, 300, 0, 1, false, 1000}, {1, "Easy", 18, 200, 0, 0, true, 2000},
        {1, "Easy", 12, 100, 2, 0, false, 3000}, {5, "", -1, 1000, 0, 0, false, 4000},
        {1, "Easy", 15, 250, 0, 0, false, 4500}, {1, "Easy", 15, 400, 0, 3, false, 5000},
        {1, "Hard, very", 70, 900, 1, 0, true, 6000},
    };
    const std::vector<journal::GameSummary> unfinished = {{7, 1, "Easy", 15, 50, 3, 40, 9000}};
    const std::vector<journal::LevelFigures> expected = {
        {1, "Easy", 6, 4, 100, 275, 400, {250, 400}},
        {1, "Hard, very", 1, 0, {}, {}, {}, {}},
        {5, "", 1, 1, 1000, 1000, 1000, {1000}},
    };
    EXPECT_EQ(journal::figures(results, unfinished, 2), expected);

    EXPECT_EQ(journal::toCsv({results[1], results[3], results[6]}).toStdString(),
              "finished,board,level,rating,seconds,hints,wrong_entries,by_solution\n"
              "1970-01-01T00:00:02Z,standard,Easy,1.8,200,0,0,yes\n"
              "1970-01-01T00:00:04Z,samurai,,,1000,0,0,no\n"
              "1970-01-01T00:00:06Z,standard,\"Hard, very\",7.0,900,1,0,yes\n");

    // Kept in the journal, they come back oldest first; the last game is
    // resumed only while no result is newer.
    Journal j(folder);
    for (const R& r : results) ASSERT_TRUE(j.finish(0, r));
    EXPECT_EQ(j.results(), results);
    EXPECT_EQ(j.resumable(), std::nullopt) << "no game";
    const std::int64_t id = j.save(0, sampleGame(1, 2));
    EXPECT_EQ(j.resumable(), id);
    R later = results[0];
    later.finishedAt = QDateTime::currentMSecsSinceEpoch() + 1000;
    j.finish(0, later);
    EXPECT_EQ(j.resumable(), std::nullopt) << "the last game was finished";
}

// A process writing a scripted game is killed at random moments: the journal
// then opens sound and holds the last change committed (or the one after,
// committed but not yet reported).
TEST_F(JournalTest, KilledAtAnyMomentKeepsTheLastCommittedChange)
{
    QRandomGenerator random(18);
    std::set<std::int64_t> earlierGames;
    std::size_t earlierResults = 0;
    for (int round = 0; round < 30; ++round) {
        QProcess child;
        child.start(QStringLiteral(KILL_CHILD), {folder});
        ASSERT_TRUE(child.waitForStarted());
        QThread::msleep(40 + random.bounded(160));
        child.kill();
        ASSERT_TRUE(child.waitForFinished());
        const QList<QByteArray> lines = child.readAllStandardOutput().split('\n');
        int reported = 0;
        for (const QByteArray& l : lines)
            if (!l.isEmpty()) reported = l.toInt();

        Journal j(folder);
        ASSERT_TRUE(j.available());
        ASSERT_TRUE(j.takeProblem().isEmpty());
        // This round's states: its game row (one at most, begun after the
        // last result) and its results.
        int game = 0, result = 0, newGames = 0;
        for (const journal::GameSummary& g : j.unfinished()) {
            const std::optional<journal::GameRecord> r = j.load(g.id);
            ASSERT_TRUE(r);
            ASSERT_EQ(*r, sampleGame(1, r->seconds));
            if (earlierGames.insert(g.id).second) {
                ++newGames;
                game = r->seconds;
            }
        }
        EXPECT_LE(newGames, 1);
        const std::vector<journal::Result> results = j.results();
        for (std::size_t k = earlierResults; k < results.size(); ++k) {
            EXPECT_EQ(results[k].seconds % 7, 0);
            result = std::max(result, results[k].seconds);
        }
        earlierResults = results.size();
        if (game) EXPECT_GT(game, result) << "a finished game left behind";
        const int last = std::max(game, result);
        EXPECT_TRUE(last == reported || last == reported + 1) << last << " " << reported;
    }
}
