#pragma once

// Just enough of the LZH archive format to hand an lh5 stream to other LHA
// tools and to take one out of their archives: one member, header level 0 on
// writing, levels 0 and 2 on reading.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace ludra::test {

// The archive's CRC-16 (reflected polynomial 0xA001, starting at 0).
quint16 Crc16(QByteArrayView data);

// A one-member archive holding `original`, compressed as `lh5Stream`.
QByteArray MakeLzhArchive(const QByteArray &memberName, QByteArrayView original,
                          QByteArrayView lh5Stream);

struct LzhMember
{
    int level = 0;
    QByteArray method;  // for example "-lh5-"
    QByteArray name;
    quint32 originalSize = 0;
    quint16 crc = 0;
    QByteArray data;  // the member's packed bytes
};

// The first member of an archive; on failure, nothing and a reason in *error.
std::optional<LzhMember> ReadFirstLzhMember(QByteArrayView archive, QString *error);

} // namespace ludra::test
