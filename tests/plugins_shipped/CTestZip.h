#pragma once

#include <QByteArray>

#include <vector>

// Builds zip archives byte by byte for the tests, with the details real archives differ in: name
// encoding flag, Info-ZIP Unicode path field, stored or deflated members, Zip64 records, damage.
struct CTestZipMember {
    QByteArray name{}; // raw bytes of the name
    QByteArray data{}; // uncompressed content
    bool deflate = true;
    bool utf8Flag = false;    // general purpose bit 11
    QByteArray unicodePath{}; // Info-ZIP Unicode path field (UTF-8), when not empty
    bool badCrc = false;      // directory records a wrong CRC-32
};

QByteArray MakeTestZip(const std::vector<CTestZipMember>& members, bool zip64 = false);
