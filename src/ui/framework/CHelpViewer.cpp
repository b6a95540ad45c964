#include "ui/framework/CHelpViewer.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

const QString kBuiltInHelp = QStringLiteral(":/help/Quarrybook.htm");

QString& HelpFileOverride() {
    static QString path;
    return path;
}

} // namespace

CHelpViewer::CHelpViewer(QWidget* parent)
    : QWidget(parent, Qt::Window), m_browser(new QTextBrowser(this)) {
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Quarrybook Help"));
    m_browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(520, 640);
}

bool CHelpViewer::ShowTopic(const QString& topic) {
    if (!HelpFileExists())
        return false;
    // Shown first, so that the browser knows its size when it scrolls to the anchor.
    show();
    m_browser->setSource(TopicUrl(topic));
    raise();
    activateWindow();
    return true;
}

QString CHelpViewer::HelpFilePath() {
    return HelpFileOverride().isEmpty() ? kBuiltInHelp : HelpFileOverride();
}

bool CHelpViewer::HelpFileExists() {
    const QFileInfo info(HelpFilePath());
    return info.exists() && info.isFile();
}

void CHelpViewer::SetHelpFile(const QString& path) {
    HelpFileOverride() = path;
}

QUrl CHelpViewer::TopicUrl(const QString& topic) {
    const QString path = HelpFilePath();
    QUrl url = path.startsWith(QLatin1Char(':')) ? QUrl(QStringLiteral("qrc") + path)
                                                 : QUrl::fromLocalFile(path);
    if (!topic.isEmpty())
        url.setFragment(topic);
    return url;
}
