#include "CTestHome.h"

#include "util/FileHelpers.h"

#include <QDir>

namespace {

class FileHelpersTest : public CTestHome {};

QString U(const char16_t* text) {
    return QString::fromUtf16(text);
}

TEST_F(FileHelpersTest, WrittenTextReadsBackInBothModes) {
    const QString text = U(u"Gr\u00FC\u00DFe \u20AC\r\nline two\rend\n");
    {
        std::unique_ptr<QFile> file = OpenTextFile(Path("out.txt"), "wb");
        ASSERT_TRUE(file);
        EXPECT_TRUE(WriteText(file.get(), text));
        EXPECT_FALSE(WriteText(file.get(), QString())) << "nothing written";
    }
    EXPECT_EQ(ReadFile("out.txt"), text.toUtf8()) << "written as UTF-8, line ends as they stand";

    QString read;
    EXPECT_TRUE(ReadTextFile(Path("out.txt"), read, true));
    EXPECT_EQ(read, text);
    EXPECT_TRUE(ReadTextFile(Path("out.txt"), read, false));
    EXPECT_EQ(read, U(u"Gr\u00FC\u00DFe \u20AC\nline two\rend\n"));
}

TEST_F(FileHelpersTest, ModesOpenCreateTruncateAndAppend) {
    {
        auto file = OpenTextFile(Path("f.txt"), "w");
        ASSERT_TRUE(file);
        WriteText(file.get(), "first\n");
    }
    {
        auto file = OpenTextFile(Path("f.txt"), "a");
        ASSERT_TRUE(file);
        WriteText(file.get(), "second\n");
    }
    EXPECT_EQ(ReadFile("f.txt"), "first\nsecond\n");
    {
        auto file = OpenTextFile(Path("f.txt"), "wb");
        ASSERT_TRUE(file);
        WriteText(file.get(), "new");
    }
    EXPECT_EQ(ReadFile("f.txt"), "new");

    auto reader = OpenTextFile(Path("f.txt"), "r");
    ASSERT_TRUE(reader);
    EXPECT_FALSE(WriteText(reader.get(), "x")) << "a file opened for reading takes no text";
    EXPECT_FALSE(WriteText(nullptr, "x"));

    EXPECT_FALSE(OpenTextFile(Path("missing.txt"), "r"));
    EXPECT_FALSE(OpenTextFile(Path("missing.txt"), "rb"));
    EXPECT_FALSE(OpenTextFile(Path("f.txt"), "x"));
    EXPECT_FALSE(OpenTextFile(Path("no/such/folder/f.txt"), "w"));
    EXPECT_FALSE(OpenTextFile(Home(), "r")) << "a folder is not a text file";
}

struct ReadCase {
    const char* name;
    QByteArray bytes;
    bool binary;
    const char16_t* expected;
};

TEST_F(FileHelpersTest, ReadDecodesUtf8OrWindows1252) {
    const ReadCase cases[] = {
        {"utf-8", "caf\xC3\xA9 \xE2\x82\xAC", true, u"caf\u00E9 \u20AC"},
        {"byte order mark dropped", "\xEF\xBB\xBFTraditional", true, u"Traditional"},
        {"windows-1252", "caf\xE9 \x80 \x93q\x94 \x81\x9F\xFF", true,
         u"caf\u00E9 \u20AC \u201Cq\u201D \u0081\u0178\u00FF"},
        {"cut utf-8 sequence", "abc\xC3", true, u"abc\u00C3"},
        {"text mode joins CR LF", "a\r\nb\r\n\r\nc\rd", false, u"a\nb\n\nc\rd"},
        {"binary mode keeps CR LF", "a\r\nb", true, u"a\r\nb"},
        {"windows-1252 in text mode", "\xE9\r\n\x80", false, u"\u00E9\n\u20AC"},
        {"empty file", "", false, u""},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile("in.txt", c.bytes);
        QString read = "left over";
        EXPECT_TRUE(ReadTextFile(Path("in.txt"), read, c.binary));
        EXPECT_EQ(read, U(c.expected));
    }

    QString read = "left over";
    EXPECT_FALSE(ReadTextFile(Path("missing.txt"), read, false));
    EXPECT_TRUE(read.isEmpty());
}

TEST_F(FileHelpersTest, ReadsLargeFilesWhole) {
    QByteArray bytes;
    for (int i = 0; i < 3000; ++i)
        bytes += "line \xC3\xA9\r\n";
    WriteFile("big.txt", bytes);
    QString read;
    ASSERT_TRUE(ReadTextFile(Path("big.txt"), read, false));
    EXPECT_EQ(read, U(u"line \u00E9\n").repeated(3000));
}

TEST_F(FileHelpersTest, ListFolderSortsNamesByCodeUnit) {
    for (const char* name : {"b", "B", "a.txt", ".hidden", "_x"})
        WriteFile(QStringLiteral("list/%1").arg(QLatin1String(name)), "x");
    ASSERT_TRUE(QDir().mkpath(Path("list/Sub/deeper")));

    QStringList names{"left over"};
    EXPECT_TRUE(ListFolder(Path("list"), names));
    EXPECT_EQ(names, QStringList({".hidden", "B", "Sub", "_x", "a.txt", "b"}));

    ASSERT_TRUE(QDir().mkpath(Path("empty")));
    for (const QString& folder : {Path("empty"), Path("missing"), Path("list/b"), QString()}) {
        SCOPED_TRACE(folder.toStdString());
        names = QStringList{"left over"};
        EXPECT_FALSE(ListFolder(folder, names));
        EXPECT_TRUE(names.isEmpty());
    }
}

TEST_F(FileHelpersTest, VersionTextOfLibraries) {
    WriteFile("notalibrary.so", "plain text");
    const std::pair<QString, const char*> cases[] = {
        {QString::fromUtf8(QB_FIXTURE_SPECIAL), "1.2.3b"},
        {QString::fromUtf8(QB_FIXTURE_PLAIN), "4.5.6"},
        {QString::fromUtf8(QB_FIXTURE_NO_DOT), "beta"},
        {QString::fromUtf8(QB_FIXTURE_NULL_BUILD), "???"},
        {QString::fromUtf8(QB_FIXTURE_NULL_VERSION), "???"},
        {QString::fromUtf8(QB_FIXTURE_NONE), "???"},
        {Path("notalibrary.so"), "???"},
        {Path("missing.so"), "???"},
        {QString(), "???"},
    };
    for (const auto& [path, expected] : cases) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_EQ(GetFileVersionText(path), QLatin1String(expected));
    }
}

TEST_F(FileHelpersTest, ProgramVersionTextComesFromTheBuild) {
    EXPECT_EQ(ProgramVersionText(), QLatin1String(QB_TEST_PROGRAM_VERSION));
}

} // namespace
