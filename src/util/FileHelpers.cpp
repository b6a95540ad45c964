#include "util/FileHelpers.h"

#include "qbex.h"
#include "util/TextHelpers.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

#include <dlfcn.h>

namespace {

struct ModeEntry {
    const char* mode;
    QIODevice::OpenMode openMode;
};

// The standard stream modes; "t" is the explicit form of text mode.
const ModeEntry kModes[] = {
    {"r", QIODevice::ReadOnly},
    {"rt", QIODevice::ReadOnly},
    {"rb", QIODevice::ReadOnly},
    {"w", QIODevice::WriteOnly | QIODevice::Truncate},
    {"wt", QIODevice::WriteOnly | QIODevice::Truncate},
    {"wb", QIODevice::WriteOnly | QIODevice::Truncate},
    {"a", QIODevice::WriteOnly | QIODevice::Append},
    {"at", QIODevice::WriteOnly | QIODevice::Append},
    {"ab", QIODevice::WriteOnly | QIODevice::Append},
};

// Windows-1252 at 0x80-0x9F; the five unassigned bytes keep their own value, as the platform's
// conversion does. All other bytes are the same as Latin-1.
const char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString FromCp1252(const QByteArray& bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        *dst++ = QChar(b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : char16_t(b));
    }
    return out;
}

// UTF-8 when the bytes are valid UTF-8 (a leading byte order mark is dropped), Windows-1252
// otherwise, so that files saved by other editors in the old 8-bit form still read correctly.
QString DecodeTextFile(const QByteArray& bytes) {
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return FromCp1252(bytes);
}

// Text mode reads "\r\n" as "\n"; a lone "\r" stays.
QByteArray TextModeLineEnds(const QByteArray& bytes) {
    QByteArray out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue;
        out.append(bytes[i]);
    }
    return out;
}

// A version record ("1, 2, 3, 0" plus special build) as the program shows it: "1.2.3" followed
// by the special build; a version without any "." gives the special build alone.
QString VersionText(const QString& fileVersion, const QString& specialBuild) {
    QString text = fileVersion;
    text.replace(QStringLiteral(", "), QStringLiteral("."));
    const qsizetype lastDot = text.lastIndexOf(u'.');
    if (lastDot < 0)
        return specialBuild;
    return text.left(lastDot) + specialBuild;
}

// A loaded library that is unloaded when it goes out of scope.
class CLoadedLibrary {
public:
    explicit CLoadedLibrary(const QString& path)
        : m_handle(dlopen(QFile::encodeName(path).constData(), RTLD_LAZY | RTLD_LOCAL)) {}
    ~CLoadedLibrary() {
        if (m_handle)
            dlclose(m_handle);
    }
    CLoadedLibrary(const CLoadedLibrary&) = delete;
    CLoadedLibrary& operator=(const CLoadedLibrary&) = delete;

    void* Symbol(const char* name) const { return m_handle ? dlsym(m_handle, name) : nullptr; }

private:
    void* m_handle;
};

const QString kUnknownVersion = QStringLiteral("???");

} // namespace

std::unique_ptr<QFile> OpenTextFile(const QString& path, const QString& mode) {
    for (const ModeEntry& entry : kModes) {
        if (mode == QLatin1String(entry.mode)) {
            auto file = std::make_unique<QFile>(path);
            if (QFileInfo(path).isDir() || !file->open(entry.openMode))
                return nullptr;
            return file;
        }
    }
    return nullptr;
}

bool WriteText(QFile* file, const QString& text) {
    if (!file || !file->isWritable())
        return false;
    const QByteArray bytes = text.toUtf8();
    return file->write(bytes) > 0;
}

bool ReadTextFile(const QString& path, QString& out, bool binary) {
    out.clear();
    std::unique_ptr<QFile> file =
        OpenTextFile(path, binary ? QStringLiteral("rb") : QStringLiteral("r"));
    if (!file)
        return false;
    QByteArray bytes = file->readAll();
    if (!binary)
        bytes = TextModeLineEnds(bytes);
    out = DecodeTextFile(bytes);
    return true;
}

bool ListFolder(const QString& folder, QStringList& out) {
    out.clear();
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        return false;
    out = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDir::Unsorted);
    SortStrings(out);
    return !out.isEmpty();
}

QString GetFileVersionText(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return kUnknownVersion;
    // An absolute path, so that a bare file name never loads a library from the system paths.
    const CLoadedLibrary library(info.absoluteFilePath());
    const auto* version =
        static_cast<const QBEX_VERSIONINFO*>(library.Symbol(QBEX_VERSIONINFO_SYMBOL));
    if (!version || !version->file_version || !version->special_build)
        return kUnknownVersion;
    return VersionText(QString::fromUtf8(version->file_version),
                       QString::fromUtf8(version->special_build));
}

QString ProgramVersionText() {
    return VersionText(QStringLiteral(QB_FILE_VERSION), QString());
}
