#include "CTestHome.h"

#include "util/CVoiceNotes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace {

class VoiceNotesTest : public CTestHome {
protected:
    // Raw samples as a recording leaves them: no header, one byte per sample.
    static QByteArray Samples(int count) {
        QByteArray bytes(count, Qt::Uninitialized);
        for (int i = 0; i < count; ++i)
            bytes[i] = static_cast<char>(128 + (i % 64) - 32);
        return bytes;
    }

    bool Exists(const QString& relative) const { return QFileInfo::exists(Path(relative)); }
};

TEST_F(VoiceNotesTest, SetRecordCreatesTheFoldersAndNamesTheFiles) {
    CVoiceNotes notes;
    EXPECT_EQ(notes.ProgramFolder(), Home() + "/");
    EXPECT_TRUE(notes.NotePath().isEmpty());
    EXPECT_TRUE(notes.RecordingPath().isEmpty());
    EXPECT_FALSE(notes.NoteExists());

    const std::pair<quint32, const char*> records[] = {
        {1, "vn1.snd"}, {4294967295u, "vn4294967295.snd"}, {0, "vn0.snd"}};
    for (const auto& [id, file] : records) {
        SCOPED_TRACE(file);
        notes.SetRecord("Default", id);
        EXPECT_EQ(notes.NotePath(), Path(QStringLiteral("VoiceNotes/Default/") + file));
        EXPECT_EQ(notes.RecordingPath(), Path("VoiceNotes/Default/recording.snd"));
    }
    EXPECT_TRUE(QFileInfo(Path("VoiceNotes/Default")).isDir());

    // Existing folders are fine.
    notes.SetRecord("Default", 7);
    EXPECT_EQ(notes.DbFolder("Default"), Path("VoiceNotes/Default"));
    EXPECT_FALSE(notes.NoteExists());
    WriteFile("VoiceNotes/Default/vn7.snd", "");
    EXPECT_TRUE(notes.NoteExists()) << "an empty note is still a note";
}

TEST_F(VoiceNotesTest, DeleteNoteAndAllNotes) {
    CVoiceNotes notes;
    WriteFile("VoiceNotes/Caches/vn1.snd", Samples(10));
    WriteFile("VoiceNotes/Caches/vn2.snd", Samples(10));
    WriteFile("VoiceNotes/Caches/recording.snd", Samples(10));
    WriteFile("VoiceNotes/Other/vn1.snd", Samples(10));

    notes.DeleteNote(); // not bound yet: nothing happens
    notes.SetRecord("Caches", 1);
    ASSERT_TRUE(notes.NoteExists());
    notes.DeleteNote();
    EXPECT_FALSE(notes.NoteExists());
    EXPECT_TRUE(Exists("VoiceNotes/Caches/vn2.snd"));
    notes.DeleteNote(); // already gone: nothing happens

    notes.DeleteAllNotes("Caches");
    EXPECT_TRUE(QDir(Path("VoiceNotes/Caches")).isEmpty());
    EXPECT_TRUE(QFileInfo(Path("VoiceNotes/Caches")).isDir()) << "the folder stays";
    EXPECT_TRUE(Exists("VoiceNotes/Other/vn1.snd")) << "other databases keep their notes";
    notes.DeleteAllNotes("Missing");
}

TEST_F(VoiceNotesTest, DeleteDbFolderRemovesTheFolderWithTheWaitCursor) {
    CVoiceNotes notes;
    WriteFile("VoiceNotes/Caches/vn1.snd", Samples(10));
    WriteFile("VoiceNotes/Caches/vn2.snd", Samples(10));
    WriteFile("VoiceNotes/Other/vn1.snd", Samples(10));

    notes.DeleteDbFolder("Caches");
    EXPECT_FALSE(Exists("VoiceNotes/Caches"));
    EXPECT_TRUE(Exists("VoiceNotes/Other/vn1.snd"));
    EXPECT_EQ(ui.waitCursorShown, 1);
    notes.DeleteDbFolder("Missing");
}

TEST_F(VoiceNotesTest, RenameDbFolderMovesTheNotes) {
    CVoiceNotes notes;
    WriteFile("VoiceNotes/Old/vn3.snd", Samples(5));
    notes.RenameDbFolder("Old", "New");
    EXPECT_FALSE(Exists("VoiceNotes/Old"));
    EXPECT_EQ(ReadFile("VoiceNotes/New/vn3.snd"), Samples(5));
    notes.SetRecord("New", 3);
    EXPECT_TRUE(notes.NoteExists());

    // An empty leftover folder of the new name gives way.
    ASSERT_TRUE(QDir().mkpath(Path("VoiceNotes/Empty")));
    notes.RenameDbFolder("New", "Empty");
    EXPECT_EQ(ReadFile("VoiceNotes/Empty/vn3.snd"), Samples(5));

    // A folder of the new name that holds notes is never replaced.
    WriteFile("VoiceNotes/Taken/vn3.snd", Samples(9));
    notes.RenameDbFolder("Empty", "Taken");
    EXPECT_EQ(ReadFile("VoiceNotes/Empty/vn3.snd"), Samples(5));
    EXPECT_EQ(ReadFile("VoiceNotes/Taken/vn3.snd"), Samples(9));

    notes.RenameDbFolder("Missing", "Elsewhere");
    EXPECT_FALSE(Exists("VoiceNotes/Elsewhere"));
    notes.RenameDbFolder("Taken", "Taken");
    EXPECT_EQ(ReadFile("VoiceNotes/Taken/vn3.snd"), Samples(9));
}

quint32 Le32(const QByteArray& b, int at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}
quint16 Le16(const QByteArray& b, int at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}

TEST_F(VoiceNotesTest, ExportWritesTheHeaderAndEverySample) {
    // Sizes around the 1,024-byte copy piece.
    for (const int size : {0, 1, 1023, 1024, 1025, 5000}) {
        SCOPED_TRACE(size);
        CVoiceNotes notes;
        notes.SetRecord("Default", 42);
        WriteFile("VoiceNotes/Default/vn42.snd", Samples(size));
        WriteFile("export/old.wav", "an older export, longer than the new one will be");

        ASSERT_TRUE(notes.ExportAsWav(Path("export/old.wav")));
        const QByteArray wav = ReadFile("export/old.wav");
        ASSERT_EQ(wav.size(), size + 44);
        EXPECT_EQ(wav.left(4), "RIFF");
        EXPECT_EQ(Le32(wav, 4), quint32(size + 36));
        EXPECT_EQ(wav.mid(8, 8), "WAVEfmt ");
        EXPECT_EQ(Le32(wav, 16), 16u);
        EXPECT_EQ(Le16(wav, 20), 1u);    // PCM
        EXPECT_EQ(Le16(wav, 22), 1u);    // channels
        EXPECT_EQ(Le32(wav, 24), 8000u); // samples per second
        EXPECT_EQ(Le32(wav, 28), 8000u); // bytes per second
        EXPECT_EQ(Le16(wav, 32), 1u);    // block alignment
        EXPECT_EQ(Le16(wav, 34), 8u);    // bits per sample
        EXPECT_EQ(wav.mid(36, 4), "data");
        EXPECT_EQ(Le32(wav, 40), quint32(size));
        EXPECT_EQ(wav.mid(44), Samples(size));
    }
    EXPECT_EQ(ui.waitDepth, 0);
}

TEST_F(VoiceNotesTest, ExportFailsWithoutANoteOrAWritableTarget) {
    CVoiceNotes notes;
    EXPECT_FALSE(notes.ExportAsWav(Path("unbound.wav")));
    EXPECT_FALSE(Exists("unbound.wav"));

    notes.SetRecord("Default", 1);
    EXPECT_FALSE(notes.ExportAsWav(Path("nonote.wav")));
    EXPECT_FALSE(Exists("nonote.wav"));

    WriteFile("VoiceNotes/Default/vn1.snd", Samples(100));
    EXPECT_FALSE(notes.ExportAsWav(Path("no/such/folder/x.wav")));

    // Exporting onto the note itself must not destroy it.
    EXPECT_FALSE(notes.ExportAsWav(notes.NotePath()));
    EXPECT_EQ(ReadFile("VoiceNotes/Default/vn1.snd"), Samples(100));
    EXPECT_FALSE(notes.ExportAsWav(Path("VoiceNotes/Default/../Default/vn1.snd")));
    EXPECT_EQ(ReadFile("VoiceNotes/Default/vn1.snd"), Samples(100));
}

} // namespace
