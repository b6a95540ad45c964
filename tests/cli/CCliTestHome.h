#pragma once

#include "CTestHome.h"

#include <QString>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// A temporary home folder in which the tests run the built quarrybook-cli as a separate process,
// and the database "Walks" that several tests read:
//
//   waypoint  name        type               cont     diff terr owner category flags        log
//   GC100     Alpha       Traditional Cache  Small    1.5  2    Ann   Hikes    bugs, bookm. found
//   GC200     beta        Multi-cache        Regular  3    1    Bob   Unfiled  found, dis.  not
//   found GC300     Gamma<TAB>x Virtual Cache      Virtual            Cid   Unfiled  - note WP1
//   Delta       Waypoint           Not chosen         -     Unfiled  -            -
//
// at N47 36.000 W122 20.000 plus 1.9 km north (GC100), 44 m north (GC200), no coordinates
// (GC300) and 111.3 km north (WP1). "Ann" is the user's website ID, so GC100 is owned.
class CCliTestHome : public CTestHome {
protected:
    struct Result {
        int code = -1;
        QString out;
        QString err;
    };

    // Runs quarrybook-cli with the arguments in this home folder.
    Result Run(const QStringList& arguments) const;

    // Creates the database "Walks" described above; its record ids in `walksIds` (GC100 first).
    void MakeWalksDb();
    quint32 walksIds[4] = {};

    // Copies a plug-in library into the home folder's "Plugins".
    void InstallPlugin(const QString& libraryPath) const;
};

// Prints the result of a run in failure messages.
std::ostream& operator<<(std::ostream& os, const QStringList& list);
