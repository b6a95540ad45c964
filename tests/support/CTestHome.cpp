#include "CTestHome.h"

#include "util/HomeFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

void CTestHome::SetUp() {
    m_dir = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(m_dir->isValid());
    qputenv("QUARRYBOOK_HOME", m_dir->path().toLocal8Bit());
    ResetHomeFolder();
    CUserInterface::Install(&ui);
}

void CTestHome::TearDown() {
    CUserInterface::Install(nullptr);
    EXPECT_EQ(ui.waitDepth, 0) << "wait cursor left on";
    EXPECT_TRUE(ui.AllAnswersUsed()) << "scripted answers left over";
    qunsetenv("QUARRYBOOK_HOME");
    ResetHomeFolder();
    m_dir.reset();
}

QString CTestHome::Home() const {
    return m_dir->path();
}

QString CTestHome::Path(const QString& relative) const {
    return m_dir->filePath(relative);
}

void CTestHome::WriteFile(const QString& relative, const QByteArray& bytes) const {
    const QString path = Path(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray CTestHome::ReadFile(const QString& relative) const {
    QFile f(Path(relative));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}
