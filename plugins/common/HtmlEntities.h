#pragma once

#include <QStringView>

// The character a named HTML entity stands for ("auml" -> U+00E4), or 0 when the name is unknown.
// Covers HTML 4 (Latin-1, symbols, Greek, punctuation) and the Latin Extended-A letters of Central
// European languages.
char32_t HtmlEntity(QStringView name);
