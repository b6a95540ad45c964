#include "CTestZip.h"

#include <zlib.h>

namespace {

void Put16(QByteArray& out, quint32 v) {
    out += char(v & 0xFF);
    out += char((v >> 8) & 0xFF);
}

void Put32(QByteArray& out, quint32 v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

void Put64(QByteArray& out, quint64 v) {
    Put32(out, quint32(v));
    Put32(out, quint32(v >> 32));
}

QByteArray Deflate(const QByteArray& data) {
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&z, uLong(data.size()))), Qt::Uninitialized);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    z.avail_in = uInt(data.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.resize(qsizetype(z.total_out));
    deflateEnd(&z);
    return out;
}

} // namespace

QByteArray MakeTestZip(const std::vector<CTestZipMember>& members, bool zip64) {
    QByteArray zip;
    QByteArray directory;
    for (const CTestZipMember& m : members) {
        const QByteArray body = m.deflate ? Deflate(m.data) : m.data;
        quint32 crc = quint32(
            crc32(0, reinterpret_cast<const Bytef*>(m.data.constData()), uInt(m.data.size())));
        const quint16 flags = m.utf8Flag ? 0x0800 : 0;
        const quint16 method = m.deflate ? 8 : 0;
        QByteArray extra;
        if (!m.unicodePath.isEmpty()) {
            Put16(extra, 0x7075);
            Put16(extra, quint32(5 + m.unicodePath.size()));
            extra += char(1);
            Put32(extra, quint32(crc32(0, reinterpret_cast<const Bytef*>(m.name.constData()),
                                       uInt(m.name.size()))));
            extra += m.unicodePath;
        }
        const quint64 offset = quint64(zip.size());
        Put32(zip, 0x04034b50);
        Put16(zip, 20);
        Put16(zip, flags);
        Put16(zip, method);
        Put32(zip, 0);
        Put32(zip, crc);
        Put32(zip, quint32(body.size()));
        Put32(zip, quint32(m.data.size()));
        Put16(zip, quint32(m.name.size()));
        Put16(zip, quint32(extra.size()));
        zip += m.name;
        zip += extra;
        zip += body;

        QByteArray centralExtra = extra;
        if (zip64) {
            Put16(centralExtra, 0x0001);
            Put16(centralExtra, 24);
            Put64(centralExtra, quint64(m.data.size()));
            Put64(centralExtra, quint64(body.size()));
            Put64(centralExtra, offset);
        }
        Put32(directory, 0x02014b50);
        Put16(directory, 45);
        Put16(directory, 20);
        Put16(directory, flags);
        Put16(directory, method);
        Put32(directory, 0);
        Put32(directory, m.badCrc ? crc ^ 0x1234 : crc);
        Put32(directory, zip64 ? 0xFFFFFFFF : quint32(body.size()));
        Put32(directory, zip64 ? 0xFFFFFFFF : quint32(m.data.size()));
        Put16(directory, quint32(m.name.size()));
        Put16(directory, quint32(centralExtra.size()));
        Put16(directory, 0);
        Put16(directory, 0);
        Put16(directory, 0);
        Put32(directory, 0);
        Put32(directory, zip64 ? 0xFFFFFFFF : quint32(offset));
        directory += m.name;
        directory += centralExtra;
    }
    const quint64 directoryOffset = quint64(zip.size());
    zip += directory;
    if (zip64) {
        const quint64 end64Offset = quint64(zip.size());
        Put32(zip, 0x06064b50);
        Put64(zip, 44);
        Put16(zip, 45);
        Put16(zip, 45);
        Put32(zip, 0);
        Put32(zip, 0);
        Put64(zip, members.size());
        Put64(zip, members.size());
        Put64(zip, quint64(directory.size()));
        Put64(zip, directoryOffset);
        Put32(zip, 0x07064b50);
        Put32(zip, 0);
        Put64(zip, end64Offset);
        Put32(zip, 1);
    }
    Put32(zip, 0x06054b50);
    Put16(zip, 0);
    Put16(zip, 0);
    Put16(zip, zip64 ? 0xFFFF : quint32(members.size()));
    Put16(zip, zip64 ? 0xFFFF : quint32(members.size()));
    Put32(zip, zip64 ? 0xFFFFFFFF : quint32(directory.size()));
    Put32(zip, zip64 ? 0xFFFFFFFF : quint32(directoryOffset));
    Put16(zip, 0);
    return zip;
}
