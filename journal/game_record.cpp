// SPDX-License-Identifier: GPL-3.0-or-later
#include "game_record.h"

#include <QDataStream>
#include <QIODevice>

namespace journal {

namespace {

constexpr quint32 kMagic = 0x43524731; // "CRG1"
constexpr int kMaxText = 64;
constexpr quint32 kMaxSteps = 1u << 20;

void put(QDataStream& s, const std::string& t)
{
    s << QByteArray::fromRawData(t.data(), static_cast<qsizetype>(t.size()));
}

bool get(QDataStream& s, std::string& t, int max = kMaxText)
{
    QByteArray b;
    s >> b;
    if (s.status() != QDataStream::Ok || b.size() > max) return false;
    t.assign(b.constData(), static_cast<std::size_t>(b.size()));
    return true;
}

bool validCell(qint32 c) { return c >= 0 && c < kCellCount; }

} // namespace

int GameRecord::filled() const
{
    int n = 0;
    for (const CellRecord& c : cells) n += c.role == CellRole::Entry || c.role == CellRole::Hint;
    return n;
}

int GameRecord::open() const
{
    int givens = 0;
    for (const CellRecord& c : cells) givens += c.role == CellRole::Given;
    return (numGrids == 5 ? 369 : 81) - givens;
}

QByteArray encode(const GameRecord& r)
{
    QByteArray out;
    out.reserve(4096 + static_cast<qsizetype>(r.history.size()) * 24);
    QDataStream s(&out, QIODevice::WriteOnly);
    s.setVersion(QDataStream::Qt_6_0);
    s << kMagic << r.numGrids << r.mode << r.seconds << r.hints << r.wrongEntries << r.rating;
    put(s, r.level);
    for (const std::string& sym : r.symbols) put(s, sym);
    for (const CellRecord& c : r.cells) {
        s << static_cast<quint8>(c.role);
        put(s, c.text);
    }
    for (std::uint16_t m : r.marks) s << m;
    s << static_cast<quint32>(r.history.size()) << r.historyIndex;
    for (const HistoryStep& h : r.history) {
        s << static_cast<quint8>(h.kind) << h.cell << h.value << h.beforeRole << h.beforeColour;
        put(s, h.before);
        put(s, h.after);
        put(s, h.reason);
        s << static_cast<quint32>(h.removed.size());
        for (std::int32_t c : h.removed) s << c;
        s << static_cast<quint32>(h.marks.size());
        for (const MarkChange& m : h.marks) s << m.cell << m.before << m.after;
    }
    return out;
}

std::optional<GameRecord> decode(const QByteArray& bytes)
{
    QDataStream s(bytes);
    s.setVersion(QDataStream::Qt_6_0);
    GameRecord r;
    quint32 magic = 0;
    s >> magic >> r.numGrids >> r.mode >> r.seconds >> r.hints >> r.wrongEntries >> r.rating;
    if (s.status() != QDataStream::Ok || magic != kMagic || (r.numGrids != 1 && r.numGrids != 5) || r.mode < 1 ||
        r.mode > 4 || r.seconds < 0 || r.hints < 0 || r.wrongEntries < 0)
        return std::nullopt;
    if (!get(s, r.level)) return std::nullopt;
    for (std::string& sym : r.symbols)
        if (!get(s, sym)) return std::nullopt;
    for (CellRecord& c : r.cells) {
        quint8 role = 0;
        s >> role;
        if (role > static_cast<quint8>(CellRole::Hint) || !get(s, c.text)) return std::nullopt;
        c.role = static_cast<CellRole>(role);
    }
    for (std::uint16_t& m : r.marks) {
        s >> m;
        if (m > 0x1FF) return std::nullopt;
    }
    quint32 steps = 0;
    s >> steps >> r.historyIndex;
    if (s.status() != QDataStream::Ok || steps > kMaxSteps || r.historyIndex < 0 ||
        static_cast<quint32>(r.historyIndex) > steps)
        return std::nullopt;
    for (quint32 i = 0; i < steps; ++i) {
        HistoryStep h;
        quint8 kind = 0;
        s >> kind >> h.cell >> h.value >> h.beforeRole >> h.beforeColour;
        if (kind > HistoryStep::Marks || !validCell(h.cell) || h.value < 0 || h.value > 8 || h.beforeRole > 2 ||
            !get(s, h.before) || !get(s, h.after) || !get(s, h.reason, 4096))
            return std::nullopt;
        h.kind = static_cast<HistoryStep::Kind>(kind);
        quint32 n = 0;
        s >> n;
        if (s.status() != QDataStream::Ok || n > kCellCount) return std::nullopt;
        h.removed.resize(n);
        for (std::int32_t& c : h.removed) {
            s >> c;
            if (!validCell(c)) return std::nullopt;
        }
        s >> n;
        if (s.status() != QDataStream::Ok || n > kCellCount) return std::nullopt;
        h.marks.resize(n);
        for (MarkChange& m : h.marks) {
            s >> m.cell >> m.before >> m.after;
            if (!validCell(m.cell) || m.before > 0x1FF || m.after > 0x1FF) return std::nullopt;
        }
        r.history.push_back(std::move(h));
    }
    if (s.status() != QDataStream::Ok || !s.atEnd()) return std::nullopt;
    return r;
}

} // namespace journal
