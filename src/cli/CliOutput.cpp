#include "cli/CliOutput.h"

#include <cstdio>

namespace {

void Write(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

} // namespace

void PrintOut(const QString& text) {
    Write(stdout, text);
}

void PrintErr(const QString& text) {
    // Plug-ins and the user-interface seam write to standard error too; keep the order.
    std::fflush(stdout);
    Write(stderr, text);
    std::fflush(stderr);
}

int Fail(const QString& message) {
    PrintErr(kCliName + QStringLiteral(": ") + message + u'\n');
    return kExitFailure;
}

QString CellForLine(QString text) {
    for (QChar& c : text) {
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    }
    return text;
}
