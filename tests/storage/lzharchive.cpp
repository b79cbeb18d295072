#include "lzharchive.h"

#include <array>

namespace ludra::test {

namespace {

void PutLE(QByteArray &out, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char(uint8_t(value >> (8 * i))));
}

quint32 GetLE(QByteArrayView in, qsizetype at, int bytes)
{
    quint32 v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | uint8_t(in[at + i]);
    return v;
}

} // namespace

quint16 Crc16(QByteArrayView data)
{
    // The remainder of each byte value, worked out bit by bit once.
    static const auto table = [] {
        std::array<quint16, 256> t{};
        for (int v = 0; v < 256; ++v) {
            quint16 crc = quint16(v);
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc & 1) ? quint16((crc >> 1) ^ 0xA001) : quint16(crc >> 1);
            t[v] = crc;
        }
        return t;
    }();
    quint16 crc = 0;
    for (char ch : data)
        crc = quint16((crc >> 8) ^ table[(crc ^ uint8_t(ch)) & 0xFF]);
    return crc;
}

// Level 0 header: size of the rest of the header, its byte sum, method,
// packed and original size, DOS time stamp, attribute, level, name, CRC-16.
QByteArray MakeLzhArchive(const QByteArray &memberName, QByteArrayView original,
                          QByteArrayView lh5Stream)
{
    QByteArray header;
    header.append("-lh5-");
    PutLE(header, quint32(lh5Stream.size()), 4);
    PutLE(header, quint32(original.size()), 4);
    PutLE(header, 0, 2);                                    // time 00:00:00
    PutLE(header, ((2024 - 1980) << 9) | (1 << 5) | 1, 2);  // date 2024-01-01
    header.append(char(0x20));                              // attribute: archive
    header.append(char(0));                                 // header level
    header.append(char(memberName.size()));
    header.append(memberName);
    PutLE(header, Crc16(original), 2);

    uint8_t sum = 0;
    for (char ch : header)
        sum = uint8_t(sum + uint8_t(ch));
    QByteArray archive;
    archive.append(char(header.size()));
    archive.append(char(sum));
    archive.append(header);
    archive.append(lh5Stream);
    archive.append(char(0));  // end of archive
    return archive;
}

std::optional<LzhMember> ReadFirstLzhMember(QByteArrayView archive, QString *error)
{
    auto fail = [&](const QString &why) {
        *error = why;
        return std::optional<LzhMember>();
    };
    if (archive.size() < 24)
        return fail(QStringLiteral("archive of %1 bytes is too short").arg(archive.size()));

    LzhMember m;
    m.level = uint8_t(archive[20]);
    m.method = archive.sliced(2, 5).toByteArray();
    const quint32 packed = GetLE(archive, 7, 4);
    m.originalSize = GetLE(archive, 11, 4);

    qsizetype dataStart = 0;
    if (m.level == 0) {
        const int headerSize = uint8_t(archive[0]);
        const int nameLength = uint8_t(archive[21]);
        if (22 + nameLength + 2 > 2 + headerSize)
            return fail(QStringLiteral("level 0 header too short for its name"));
        m.name = archive.sliced(22, nameLength).toByteArray();
        m.crc = quint16(GetLE(archive, 22 + nameLength, 2));
        dataStart = 2 + headerSize;
    } else if (m.level == 2) {
        const quint32 headerSize = GetLE(archive, 0, 2);
        m.crc = quint16(GetLE(archive, 21, 2));
        // Extended headers from offset 24: each is announced by the size
        // field before it and holds a type byte, its data and the next size.
        qsizetype at = 24;
        quint32 next = GetLE(archive, at, 2);
        at += 2;
        while (next != 0) {
            if (next < 3 || at + next > headerSize || at + next > archive.size())
                return fail(QStringLiteral("bad extended header"));
            if (uint8_t(archive[at]) == 0x01)
                m.name = archive.sliced(at + 1, next - 3).toByteArray();
            at += next;
            next = GetLE(archive, at - 2, 2);
        }
        dataStart = headerSize;
    } else {
        return fail(QStringLiteral("header level %1 not handled").arg(m.level));
    }
    if (dataStart + qsizetype(packed) > archive.size())
        return fail(QStringLiteral("member data runs past the archive"));
    m.data = archive.sliced(dataStart, packed).toByteArray();
    return m;
}

} // namespace ludra::test
