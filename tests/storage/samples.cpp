#include "samples.h"

#include "storage/vellstreams.h"

#include <QRandomGenerator>
#include <QStringList>

#include <functional>

namespace ludra::test {

namespace {

const char *const kWords[] = {
    "the", "of", "and", "to", "a", "in", "is", "that", "for", "it", "as", "with", "be", "on",
    "not", "this", "by", "are", "or", "from", "at", "which", "an", "but", "all", "any", "may",
    "implant", "cluster", "quality", "level", "skill", "build", "layout", "slot", "stock",
    "requirement", "treatment", "shining", "bright", "faded", "program", "file", "table",
    "license", "software", "distribution", "copy", "modify", "terms", "conditions", "work",
    "source", "code", "object", "version", "permission", "notice", "warranty", "holder",
    "character", "attribute", "agility", "stamina", "strength", "intelligence", "psychic",
    "sense", "nano", "programming", "computer", "literacy", "matter", "creation", "time",
    "space", "biological", "metamorphosis", "psychological", "modifications", "sensory",
    "improvement", "weapon", "smithing", "mechanical", "electrical", "engineering", "first",
    "aid", "perception", "concealment", "adventuring", "swimming", "running", "evade", "dodge",
};

// Literals of two byte values `gap` apart, so the literal table holds a run
// of exactly `gap` zero lengths between them.
QByteArray GapLiterals(int gap)
{
    QByteArray alphabet;
    alphabet += char(0x30);
    alphabet += char(0x30 + gap + 1);
    return SamplePicks(3000, alphabet, 77u + quint32(gap));
}

QByteArray Lines(const QStringList &lines)
{
    QByteArray out;
    for (const QString &line : lines)
        out += line.toLatin1() + "\r\n";
    return out;
}

} // namespace

QByteArray SampleText(qsizetype bytes, quint32 seed)
{
    QRandomGenerator rng(seed);
    const int vocabulary = int(std::size(kWords));
    QByteArray out;
    out.reserve(bytes + 64);
    int lineLength = 0;
    bool sentenceStart = true;
    while (out.size() < bytes) {
        // Squaring a uniform pick favours the first (short, common) words.
        const double u = rng.generateDouble();
        QByteArray word = kWords[int(u * u * vocabulary)];
        if (rng.bounded(40) == 0)
            word = QByteArray::number(rng.bounded(1, 2000));
        if (sentenceStart)
            word[0] = char(QChar::toUpper(uchar(word[0])));
        sentenceStart = false;
        out += word;
        lineLength += int(word.size()) + 1;
        const int r = int(rng.bounded(100));
        if (r < 6) {
            out += ".";
            sentenceStart = true;
        } else if (r < 10) {
            out += ",";
        }
        if (lineLength > 60 + int(rng.bounded(15))) {
            out += "\r\n";
            lineLength = 0;
        } else {
            out += " ";
        }
    }
    out.truncate(bytes);
    return out;
}

QByteArray SampleRandom(qsizetype bytes, quint32 seed)
{
    QRandomGenerator rng(seed);
    QByteArray out(bytes, Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes; ++i)
        out[i] = char(rng.bounded(256));
    return out;
}

QByteArray SamplePicks(qsizetype bytes, const QByteArray &alphabet, quint32 seed)
{
    QRandomGenerator rng(seed);
    QByteArray out(bytes, Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes; ++i)
        out[i] = alphabet[rng.bounded(int(alphabet.size()))];
    return out;
}

QByteArray SampleMixed(qsizetype bytes, quint32 seed)
{
    QRandomGenerator rng(seed);
    QByteArray out;
    out.reserve(bytes + 70000);
    while (out.size() < bytes) {
        const qsizetype piece = rng.bounded(1000, 65000);
        switch (rng.bounded(4)) {
        case 0: out += SampleText(piece, rng.generate()); break;
        case 1: out += SampleRandom(piece / 8, rng.generate()); break;
        case 2: out += QByteArray(piece, char(rng.bounded(256))); break;
        default: {
            const QByteArray pattern = SampleRandom(rng.bounded(1, 40), rng.generate());
            out += pattern.repeated(int(piece / pattern.size()));
        }
        }
    }
    out.truncate(bytes);
    return out;
}

QByteArray SampleProjectPayload(quint32 seed)
{
    QRandomGenerator rng(seed);
    const QStringList bodySlots = {"HEAD", "CHEST", "EAR", "EYE", "LEFT ARM", "RIGHT ARM", "LEFT WRIST",
                               "RIGHT WRIST", "LEG", "LEFT HAND", "RIGHT HAND", "WAIST", "FEET"};
    const QStringList types = {"Shining", "Bright", "Faded"};
    QStringList skills;
    for (int i = 27; i < int(std::size(kWords)); ++i)
        skills << QString::fromLatin1(kWords[i]).replace(0, 1, QChar::fromLatin1(kWords[i][0]).toUpper());
    auto pick = [&](const QStringList &from) { return from[rng.bounded(int(from.size()))]; };
    auto number = [&](int low, int high) { return QString::number(rng.bounded(low, high)); };

    // A grid in its text form: size, column widths, then "col,row,text".
    auto grid = [&](int columns, int rows, const std::function<QString(int, int)> &cell) {
        QStringList lines{QStringLiteral("%1,%2").arg(columns).arg(rows)};
        for (int c = 0; c < columns; ++c)
            lines << QStringLiteral("cw %1,%2").arg(c).arg(64 + 16 * c);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                if (const QString text = cell(c, r); !text.isEmpty())
                    lines << QStringLiteral("%1,%2,%3").arg(c).arg(r).arg(text);
        return Lines(lines);
    };
    auto codes = [&](int count, const QStringList &rare) {
        QStringList lines;
        for (int i = 0; i < count; ++i)
            lines << (rng.bounded(10) == 0 ? pick(rare) : QStringLiteral("-1"));
        return Lines(lines);
    };

    TVellStreams streams;
    streams.Compressed = false;
    streams.StoreStream("Config", Lines({"0", "1", "true", "1", "1", "1", "0", "0", "0", "0", "0", "200",
                                         "200", "<no implants selected>", "0", "1000", "1", "0", "1",
                                         "0", "0", "1"}));
    QStringList colours;
    for (int i = 0; i < 1200; ++i)
        colours << (rng.bounded(4) == 0 ? pick({"255", "65280", "16711680"}) : QStringLiteral("0"));
    streams.StoreStream("ColorGrid", Lines(colours));
    const QStringList selected = skills.mid(0, 30);
    streams.StoreStream("Selected", Lines(selected));
    streams.StoreStream("Avaliable", Lines(skills.mid(30)));
    streams.StoreStream("Grid", grid(4, 14, [&](int c, int r) {
        if (r == 0)
            return c == 0 ? QStringLiteral("Slot") : types[c - 1];
        if (c == 0)
            return bodySlots[r - 1];
        return rng.bounded(5) == 0 ? QString() : pick(selected);
    }));
    streams.StoreStream("Icons", codes(1604, {"2", "4", "11"}));
    streams.StoreStream("SecondIcons", codes(1604, {"13"}));
    QStringList flags, levels;
    for (int i = 0; i < 13; ++i) {
        flags << number(0, 2);
        levels << pick({"0", "100", "150", "200"});
    }
    streams.StoreStream("SelImp-Bool", Lines(flags));
    streams.StoreStream("SelImp-QL", Lines(levels));
    streams.StoreStream("GridResultSkill", grid(3, 60, [&](int c, int) {
        return c == 0 ? pick(skills) : c == 1 ? number(1, 80) : number(0, 6);
    }));
    streams.StoreStream("GridResultReq", grid(8, 60, [&](int c, int) {
        switch (c) {
        case 0: return pick(bodySlots);
        case 1: return pick(selected);
        case 2: return pick(types);
        case 3: return number(1, 201);
        case 4: return number(100, 900);
        case 5: return number(1000, 90000);
        case 6: return pick(skills);
        default: return number(10, 1200);
        }
    }));
    streams.StoreStream("GridResultSuggest", grid(4, 50, [&](int c, int) {
        return c == 0 ? pick(bodySlots) : c == 1 ? pick(skills) : c == 2 ? pick(types) : number(1, 201);
    }));
    return streams.SaveToByteArray().mid(2);
}

QList<CodecSample> CodecSamples()
{
    const QByteArray block = SampleRandom(8192, 5);
    return {
        {"empty", {}, false},
        {"one byte", "L", false},
        {"two bytes", "LL", false},
        {"8192 bytes of text", SampleText(8192, 1), true},
        {"8193 bytes of text", SampleText(8193, 2), true},
        {"20000 of one byte", QByteArray(20000, 'A'), true},
        {"4 MiB of zero bytes", QByteArray(4 << 20, '\0'), true},
        {"leading spaces", QByteArray(3000, ' ') + SampleText(5000, 3), true},
        {"64 KiB random", SampleRandom(65536, 4), false},
        {"64 KiB random, then text", SampleRandom(65536, 6) + SampleText(16384, 7), true},
        {"match at the far end of the window", block + block, true},
        {"repeat just out of reach", block + "x" + block, false},
        {"300 KB of text", SampleText(300000, 8), true},
        {"project-like payload", SampleProjectPayload(9), true},
        {"5 MB mixed", SampleMixed(5000000, 10), true},
        {"zero run of 1", GapLiterals(1), true},
        {"zero run of 2", GapLiterals(2), true},
        {"zero run of 3", GapLiterals(3), true},
        {"zero run of 18", GapLiterals(18), true},
        {"zero run of 19", GapLiterals(19), true},
        {"zero run of 20", GapLiterals(20), true},
        {"zero run of 21", GapLiterals(21), true},
        {"zero run of 200", GapLiterals(200), true},
    };
}

} // namespace ludra::test
