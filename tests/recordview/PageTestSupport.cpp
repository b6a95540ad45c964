#include "PageTestSupport.h"

#include "recordview/CRecPageGenerator.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLocale>

#include <ctime>
#include <iostream>

QString Entries(std::initializer_list<const char*> entries) {
    QStringList list;
    for (const char* entry : entries)
        list.append(QString::fromUtf8(entry));
    return list.join(QChar(0x0001));
}

QStringList PiecesOf(const CRecPageGenerator& generator, const QString& page) {
    CPageRecorder recorder;
    generator.ShowPage(page, recorder);
    return recorder.Pieces();
}

QString CallsOf(const CRecPageGenerator& generator, const QString& page) {
    CPageRecorder recorder;
    generator.ShowPage(page, recorder);
    QStringList calls;
    for (const CPageEvent& event : recorder.Events()) {
        switch (event.kind) {
        case CPageEvent::Kind::Clear:
            calls << QStringLiteral("clear");
            break;
        case CPageEvent::Kind::ImageShrink:
            calls << QStringLiteral("shrink %1").arg(event.on ? 1 : 0);
            break;
        case CPageEvent::Kind::Append:
            calls << QStringLiteral("append");
            break;
        case CPageEvent::Kind::EndOfSource:
            calls << QStringLiteral("end");
            break;
        case CPageEvent::Kind::ScrollToAnchor:
            calls << QStringLiteral("scroll ") + event.text;
            break;
        }
    }
    return calls.join(QStringLiteral(" | "));
}

QString DumpEvents(const CPageRecorder& recorder) {
    QString out;
    for (const CPageEvent& event : recorder.Events()) {
        switch (event.kind) {
        case CPageEvent::Kind::Clear:
            out += QStringLiteral("<!-- clear -->\n");
            break;
        case CPageEvent::Kind::ImageShrink:
            out += event.on ? QStringLiteral("<!-- image shrink on -->\n")
                            : QStringLiteral("<!-- image shrink off -->\n");
            break;
        case CPageEvent::Kind::Append: {
            out += QStringLiteral("<!-- piece -->\n");
            QString text = event.text;
            text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
            text.replace(QLatin1Char('\r'), QLatin1String("\\r"));
            text.replace(QLatin1Char('\n'), QLatin1String("\\n\n"));
            if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
                text += QLatin1Char('\n');
            out += text;
            break;
        }
        case CPageEvent::Kind::EndOfSource:
            out += QStringLiteral("<!-- end of source -->\n");
            break;
        case CPageEvent::Kind::ScrollToAnchor:
            out += QStringLiteral("<!-- scroll to \"") + event.text + QStringLiteral("\" -->\n");
            break;
        }
    }
    return out;
}

void ExpectGolden(const QString& fileName, const QString& actual) {
    const QString path = QStringLiteral(QB_RECORDVIEW_DATA "/") + fileName;
    if (qgetenv("QB_UPDATE_GOLDEN") == "1") {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << Std(path);
        file.write(actual.toUtf8());
        std::cout << "[ golden   ] wrote " << Std(path) << '\n';
        return;
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly))
        << Std(path) << " is missing; run the test with QB_UPDATE_GOLDEN=1 to create it";
    EXPECT_EQ(Std(QString::fromUtf8(file.readAll())), Std(actual))
        << "page differs from " << Std(path)
        << "; if the change is intended, run the test with QB_UPDATE_GOLDEN=1 and review the diff";
}

CFixedTimeAndLocale::CFixedTimeAndLocale() {
    m_hadTz = qEnvironmentVariableIsSet("TZ");
    m_oldTz = qgetenv("TZ");
    qputenv("TZ", "UTC");
    tzset();
    QLocale::setDefault(QLocale::c());
}

CFixedTimeAndLocale::~CFixedTimeAndLocale() {
    if (m_hadTz)
        qputenv("TZ", m_oldTz);
    else
        qunsetenv("TZ");
    tzset();
    QLocale::setDefault(QLocale::system());
}
