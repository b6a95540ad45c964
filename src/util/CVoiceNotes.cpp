#include "util/CVoiceNotes.h"

#include "util/CUserInterface.h"
#include "util/HomeFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <array>
#include <cstring>

namespace {

CVoiceNotes* g_voiceNotes = nullptr;

const QString kVoiceNotesFolder = QStringLiteral("VoiceNotes");

// The sample format of every note: PCM, 1 channel, 8,000 samples per second, 8 bits per sample.
constexpr quint16 kFormatPcm = 1;
constexpr quint16 kChannels = 1;
constexpr quint32 kSamplesPerSecond = 8000;
constexpr quint32 kBytesPerSecond = 8000;
constexpr quint16 kBlockAlign = 1;
constexpr quint16 kBitsPerSample = 8;

constexpr qsizetype kWavHeaderSize = 44;
constexpr qint64 kCopyPiece = 1024;

void Put32(char* at, quint32 value) {
    qToLittleEndian(value, at);
}
void Put16(char* at, quint16 value) {
    qToLittleEndian(value, at);
}

std::array<char, kWavHeaderSize> WavHeader(quint32 noteSize) {
    std::array<char, kWavHeaderSize> h{};
    char* p = h.data();
    memcpy(p + 0, "RIFF", 4);
    Put32(p + 4, noteSize + 36);
    memcpy(p + 8, "WAVE", 4);
    memcpy(p + 12, "fmt ", 4);
    Put32(p + 16, 16);
    Put16(p + 20, kFormatPcm);
    Put16(p + 22, kChannels);
    Put32(p + 24, kSamplesPerSecond);
    Put32(p + 28, kBytesPerSecond);
    Put16(p + 32, kBlockAlign);
    Put16(p + 34, kBitsPerSample);
    memcpy(p + 36, "data", 4);
    Put32(p + 40, noteSize);
    return h;
}

} // namespace

CVoiceNotes::CVoiceNotes() : m_programFolder(HomeFolderSlash()) {}

CVoiceNotes::~CVoiceNotes() = default;

CVoiceNotes& CVoiceNotes::Global() {
    Q_ASSERT(g_voiceNotes);
    return *g_voiceNotes;
}

void CVoiceNotes::SetGlobal(CVoiceNotes* notes) {
    g_voiceNotes = notes;
}

QString CVoiceNotes::DbFolder(const QString& dbName) const {
    return m_programFolder + kVoiceNotesFolder + QLatin1Char('/') + dbName;
}

void CVoiceNotes::SetRecord(const QString& dbName, quint32 recordId) {
    // A failure to create either folder means it exists already; the paths are set regardless.
    QDir().mkdir(m_programFolder + kVoiceNotesFolder);
    const QString folder = DbFolder(dbName);
    QDir().mkdir(folder);
    m_recordingPath = folder + QStringLiteral("/recording.snd");
    m_notePath = folder + QStringLiteral("/vn%1.snd").arg(recordId);
}

bool CVoiceNotes::NoteExists() const {
    if (m_notePath.isEmpty())
        return false;
    QFile note(m_notePath);
    return !QFileInfo(m_notePath).isDir() && note.open(QIODevice::ReadOnly);
}

void CVoiceNotes::DeleteNote() {
    if (!m_notePath.isEmpty())
        QFile::remove(m_notePath);
}

void CVoiceNotes::DeleteAllNotes(const QString& dbName) {
    QDir folder(DbFolder(dbName));
    const QStringList files = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : files)
        folder.remove(name);
}

void CVoiceNotes::RenameDbFolder(const QString& oldName, const QString& newName) {
    const QString from = DbFolder(oldName);
    const QString to = DbFolder(newName);
    if (from == to)
        return;
    // A leftover empty folder of the new name gives way; one that holds files is never replaced,
    // as its notes are not this database's.
    QDir().rmdir(to);
    if (QFileInfo::exists(to))
        return;
    QDir().rename(from, to);
}

void CVoiceNotes::DeleteDbFolder(const QString& dbName) {
    CWaitCursor wait;
    DeleteAllNotes(dbName);
    QDir().rmdir(DbFolder(dbName));
}

bool CVoiceNotes::ExportAsWav(const QString& targetPath) {
    CWaitCursor wait;

    QFile note(m_notePath);
    if (m_notePath.isEmpty() || QFileInfo(m_notePath).isDir() || !note.open(QIODevice::ReadOnly))
        return false;
    // Exporting onto the note itself would delete the note before it is read.
    if (QFileInfo(targetPath).canonicalFilePath() == QFileInfo(m_notePath).canonicalFilePath())
        return false;
    const qint64 noteSize = note.size();
    // The sizes in the header are 32 bits wide.
    if (noteSize < 0 || noteSize > qint64(0xFFFFFFFFu) - 36)
        return false;

    QFile::remove(targetPath);
    QFile target(targetPath);
    if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;

    const auto header = WavHeader(static_cast<quint32>(noteSize));
    bool ok = target.write(header.data(), kWavHeaderSize) == kWavHeaderSize;
    std::array<char, kCopyPiece> piece{};
    while (ok) {
        const qint64 read = note.read(piece.data(), kCopyPiece);
        if (read < 0)
            ok = false;
        if (read <= 0)
            break;
        ok = target.write(piece.data(), read) == read;
    }
    note.close();
    if (!target.flush())
        ok = false;
    target.close();
    if (!ok)
        target.remove();
    return ok;
}
