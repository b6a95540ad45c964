#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <array>

// The program's images, drawn from the SVG files of its resources at the size the screen needs.
class CIconSet {
public:
    // The status icons of the record list, in the order the list uses them.
    enum StatusIcon {
        kBug = 0,
        kNoteLog = 1,
        kFound = 2,
        kOwned = 3,
        kBookmarked = 4,
        kFoundLog = 5,
        kNotFoundLog = 6,
        kDisabled = 7,
        kStatusIconCount
    };

    // An image of the resources (":/icons/<name>.svg") drawn at exactly `size`, transparent
    // where the drawing leaves it empty. A null pixmap when the image is missing.
    static QPixmap Render(const QString& name, const QSize& size);
    // The eight status icons at `edge` x `edge` pixels (8 for the small set, 16 for the large).
    static std::array<QPixmap, kStatusIconCount> StatusIcons(int edge);
    // The program's icon, for its windows.
    static QIcon ProgramIcon();
};
