// SPDX-License-Identifier: GPL-3.0-or-later
// Plays a scripted game into the journal of folder argv[1] until killed:
// state n is sampleGame(1, n); every seventh state finishes the game and a
// new one begins. After each committed change it prints n.
#include <QCoreApplication>
#include <QDateTime>
#include <cstdio>

#include "journal.h"
#include "sample_game.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) return 2;
    journal::Journal j(QString::fromLocal8Bit(argv[1]));
    if (!j.available()) return 1;
    std::int64_t id = 0;
    for (int n = 1;; ++n) {
        if (n % 7 == 0) {
            if (!j.finish(id, {1, "Moderate", 52, n, 0, 0, false, QDateTime::currentMSecsSinceEpoch()})) return 1;
            id = 0;
        } else if (!(id = j.save(id, sampleGame(1, n)))) {
            return 1;
        }
        std::printf("%d\n", n);
        std::fflush(stdout);
    }
}
