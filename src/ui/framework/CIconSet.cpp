#include "ui/framework/CIconSet.h"

#include <QPainter>
#include <QSvgRenderer>

QPixmap CIconSet::Render(const QString& name, const QSize& size) {
    QSvgRenderer renderer(QStringLiteral(":/icons/%1.svg").arg(name));
    if (!renderer.isValid())
        return QPixmap();
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    return pixmap;
}

std::array<QPixmap, CIconSet::kStatusIconCount> CIconSet::StatusIcons(int edge) {
    static const char* const names[kStatusIconCount] = {
        "status-bug",      "status-note",      "status-found",         "status-owned",
        "status-bookmark", "status-found-log", "status-not-found-log", "status-disabled"};
    std::array<QPixmap, kStatusIconCount> icons;
    for (int i = 0; i < kStatusIconCount; ++i)
        icons[size_t(i)] = Render(QString::fromLatin1(names[i]), QSize(edge, edge));
    return icons;
}

QIcon CIconSet::ProgramIcon() {
    return QIcon(QStringLiteral(":/icons/Quarrybook.png"));
}
