// SPDX-License-Identifier: GPL-3.0-or-later
#include "board_speech.h"

#include <QAccessible>
#include <QLabel>
#include <QStringList>

#include "board_run.h"
#include "cell_numbering.h"
#include "frm_main.h"
#include "game_state.h"

namespace mainwindow {

BoardSpeech::BoardSpeech(frmMain& window) : QObject(&window), w_(window) {}

void BoardSpeech::createControls()
{
    w_.lblStatus1->setAccessibleDescription(tr("Status line: mode"));
    w_.lblStatus2->setAccessibleDescription(tr("Status line: entry checking"));
    w_.lblStatus3->setAccessibleDescription(tr("Status line: time"));
    // Nothing to see: it only carries what is announced.
    lblAnnouncement = new QLabel(w_.lblStatus1->parentWidget());
    lblAnnouncement->setAccessibleDescription(tr("Announcement"));
    lblAnnouncement->setGeometry(0, 0, 0, 0);
}

QString BoardSpeech::spokenName(const platform::TextCell& cell) const
{
    static const char* const kGridNames[] = {QT_TR_NOOP("top-left grid"), QT_TR_NOOP("top-right grid"),
                                              QT_TR_NOOP("bottom-left grid"), QT_TR_NOOP("bottom-right grid"),
                                              QT_TR_NOOP("centre grid")};
    QStringList places;
    for (int g = 0; g < w_.numGrids; ++g)
        for (int row = 0; row < 9; ++row)
            for (int col = 0; col < 9; ++col) {
                if (cellIndex(g, col, row) != cell.index()) continue;
                const QString place = tr("row %1, column %2").arg(row + 1).arg(col + 1);
                places << (w_.numGrids == 1 ? place : tr(kGridNames[g]) + QStringLiteral(", ") + place);
            }
    return places.join(QStringLiteral(", "));
}

QString BoardSpeech::spokenValue(const platform::TextCell& cell) const
{
    const QString text = cell.QLineEdit::text();
    if (text.isEmpty()) {
        QStringList marks;
        for (int v = 0; v < 9; ++v)
            if ((w_.game().marks(cell.index()) >> v) & 1u) marks << QString::fromStdString(w_.indexToSymbol(v));
        return marks.isEmpty() ? tr("empty") : tr("empty, marks %1").arg(marks.join(QLatin1Char(' ')));
    }
    const engine::Colour colour = cell.background();
    if (colour == kWrongEntryColour) return tr("%1, wrong entry").arg(text);
    if (colour == w_.colours[files::kKnownCell]) return tr("%1, given").arg(text);
    if (colour == w_.colours[files::kHints]) return tr("%1, hint").arg(text);
    return text;
}

void BoardSpeech::announce(const QString& text)
{
    if (!lblAnnouncement) return;
    lblAnnouncement->setText(text);
    QAccessibleEvent named(lblAnnouncement, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    QAccessibleEvent alert(lblAnnouncement, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
    emit announced(text);
}

} // namespace mainwindow
