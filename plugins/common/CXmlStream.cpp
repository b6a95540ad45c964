#include "CXmlStream.h"

#include "CXmlCharFilter.h"
#include "GeoText.h"

#include <QByteArray>
#include <QIODevice>
#include <QStringDecoder>

#include <expat.h>

#include <algorithm>
#include <cstring>

using namespace qbgeo;

namespace {

constexpr size_t kChunk = 256 * 1024;

EXmlNs ClassifyPrefix(std::string_view prefix) {
    if (prefix.empty()) {
        return EXmlNs::None;
    }
    if (prefix == "groundspeak") {
        return EXmlNs::Groundspeak;
    }
    if (prefix == "gsak") {
        return EXmlNs::Gsak;
    }
    return EXmlNs::Other;
}

EXmlNs ClassifyNamespace(const char* uri, std::string_view prefix) {
    if (*uri == 0) {
        return ClassifyPrefix(prefix);
    }
    const QByteArray name = QByteArray(uri).toLower();
    if (name.contains("topografix.com/gpx")) {
        return EXmlNs::Gpx;
    }
    if (name.contains("groundspeak.com/cache")) {
        return EXmlNs::Groundspeak;
    }
    if (name.contains("gsak.net/xmlv1")) {
        return EXmlNs::Gsak;
    }
    if (name == kQuarrybookNs) {
        return EXmlNs::Quarrybook;
    }
    const EXmlNs byPrefix = ClassifyPrefix(prefix);
    return byPrefix == EXmlNs::None ? EXmlNs::Other : byPrefix;
}

bool IsXmlSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Decodes files in single-byte code pages expat does not know itself.
int EncodingHandler(void*, const char* name, XML_Encoding* info) {
    const QByteArray encoding = QByteArray(name).toLower();
    const bool cp1252 =
        encoding == "windows-1252" || encoding == "cp1252" || encoding == "x-cp1252";
    QStringDecoder decoder;
    if (!cp1252) {
        decoder = QStringDecoder(name, QStringDecoder::Flag::Stateless);
        if (!decoder.isValid()) {
            return XML_STATUS_ERROR;
        }
    }
    for (int byte = 0; byte < 256; ++byte) {
        if (cp1252) {
            info->map[byte] = Windows1252Char(uint8_t(byte));
            continue;
        }
        const char c = char(byte);
        const QString decoded = decoder.decode(QByteArrayView(&c, 1));
        if (decoded.size() != 1 || decoded[0] == QChar::ReplacementCharacter) {
            if (byte < 0x80) {
                return XML_STATUS_ERROR; // not an ASCII-compatible single-byte code page
            }
            info->map[byte] = -1;
            continue;
        }
        if (byte < 0x80 && decoded[0].unicode() != byte) {
            return XML_STATUS_ERROR;
        }
        info->map[byte] = decoded[0].unicode();
    }
    info->data = nullptr;
    info->convert = nullptr;
    info->release = nullptr;
    return XML_STATUS_OK;
}

} // namespace

void AppendCapped(std::string& field, const char* text, int length) {
    if (field.size() < kMaxFieldBytes) {
        field.append(text, std::min(size_t(length), kMaxFieldBytes - field.size()));
    }
}

const char* XmlAttr(const char** attrs, std::string_view local) {
    for (const char** a = attrs; a && *a; a += 2) {
        std::string_view name(a[0]);
        const size_t colon = name.find(':');
        if (colon != std::string_view::npos) {
            name.remove_prefix(colon + 1);
        }
        if (name == local) {
            return a[1];
        }
    }
    return nullptr;
}

CXmlStream::CXmlStream() = default;

CXmlStream::~CXmlStream() {
    if (m_parser) {
        XML_ParserFree(m_parser);
    }
}

bool CXmlStream::Fail(const QString& message, long line) {
    m_errorLine = line;
    m_error = line > 0 ? QStringLiteral("%1, line %2: %3").arg(m_fileName).arg(line).arg(message)
                       : QStringLiteral("%1: %2").arg(m_fileName, message);
    return false;
}

void CXmlStream::Stop() {
    if (!m_stopped && m_parser) {
        m_stopped = true;
        XML_StopParser(m_parser, XML_FALSE);
    }
}

bool CXmlStream::Parse(QIODevice& input, const QString& fileName, IXmlHandler& handler) {
    if (m_parser) {
        XML_ParserFree(m_parser);
    }
    m_parser = XML_ParserCreate(nullptr);
    m_handler = &handler;
    m_fileName = fileName;
    m_bindings.clear();
    m_scopes.clear();
    m_error.clear();
    m_errorLine = 0;
    m_lineOffset = 0;
    m_stopped = false;
    if (!m_parser) {
        return Fail(QStringLiteral("out of memory"), 0);
    }
    XML_SetUserData(m_parser, this);
    XML_SetElementHandler(m_parser, &CXmlStream::StartHandler, &CXmlStream::EndHandler);
    XML_SetCharacterDataHandler(m_parser, &CXmlStream::TextHandler);
    XML_SetUnknownEncodingHandler(m_parser, &EncodingHandler, nullptr);

    CXmlCharFilter filter;
    std::vector<char> raw(kChunk + CXmlCharFilter::kMaxHeld);
    size_t held = 0;
    bool first = true;
    bool filtering = true;
    for (;;) {
        const qint64 got = input.read(raw.data() + held, qint64(kChunk));
        if (got < 0) {
            m_dropped = filter.Dropped();
            return Fail(QStringLiteral("read error: %1").arg(input.errorString()), 0);
        }
        size_t available = held + size_t(got);
        const bool last = got == 0;
        if (first) {
            first = false;
            const auto* b = reinterpret_cast<const unsigned char*>(raw.data());
            // UTF-16 files go to the parser unfiltered: the filter knows only byte encodings.
            if (available >= 2 &&
                ((b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF) ||
                 (b[0] == '<' && b[1] == 0) || (b[0] == 0 && b[1] == '<'))) {
                filtering = false;
            }
            // Blank lines before the XML declaration would stop the parser; they carry nothing.
            const size_t bom = available >= 3 && std::memcmp(b, "\xEF\xBB\xBF", 3) == 0 ? 3 : 0;
            size_t skip = bom;
            long lines = 0;
            while (skip < available && IsXmlSpace(raw[skip])) {
                lines += raw[skip] == '\n' ? 1 : 0;
                ++skip;
            }
            if (filtering && skip > bom && available - skip >= 5 &&
                std::memcmp(raw.data() + skip, "<?xml", 5) == 0) {
                std::memmove(raw.data() + bom, raw.data() + skip, available - skip);
                available -= skip - bom;
                m_lineOffset = lines;
            }
        }
        void* buffer = XML_GetBuffer(m_parser, int(available > 0 ? available : 1));
        if (!buffer) {
            return Fail(QStringLiteral("out of memory"), 0);
        }
        size_t written = available;
        size_t consumed = available;
        if (filtering) {
            consumed =
                filter.Filter(raw.data(), available, static_cast<char*>(buffer), written, last);
        } else {
            std::memcpy(buffer, raw.data(), available);
        }
        m_dropped = filter.Dropped();
        if (XML_ParseBuffer(m_parser, int(written), last) == XML_STATUS_ERROR) {
            if (m_stopped) {
                return false;
            }
            const long line = long(XML_GetCurrentLineNumber(m_parser)) + m_lineOffset;
            return Fail(QString::fromUtf8(XML_ErrorString(XML_GetErrorCode(m_parser))), line);
        }
        if (m_stopped) {
            return false;
        }
        held = available - consumed;
        std::memmove(raw.data(), raw.data() + consumed, held);
        if (last) {
            return true;
        }
    }
}

EXmlNs CXmlStream::Resolve(std::string_view qname, std::string_view& local) const {
    std::string_view prefix;
    const size_t colon = qname.find(':');
    if (colon == std::string_view::npos) {
        local = qname;
    } else {
        prefix = qname.substr(0, colon);
        local = qname.substr(colon + 1);
    }
    for (auto it = m_bindings.rbegin(); it != m_bindings.rend(); ++it) {
        if (it->prefix == prefix) {
            return it->ns;
        }
    }
    return ClassifyPrefix(prefix);
}

void CXmlStream::StartHandler(void* data, const char* name, const char** attrs) {
    auto* self = static_cast<CXmlStream*>(data);
    int pushed = 0;
    for (const char** a = attrs; *a; a += 2) {
        if (std::strncmp(a[0], "xmlns", 5) != 0 || (a[0][5] != 0 && a[0][5] != ':')) {
            continue;
        }
        const std::string_view prefix = a[0][5] == ':' ? std::string_view(a[0] + 6) : "";
        self->m_bindings.push_back({std::string(prefix), ClassifyNamespace(a[1], prefix)});
        ++pushed;
    }
    self->m_scopes.push_back(pushed);
    std::string_view local;
    const EXmlNs ns = self->Resolve(name, local);
    self->m_handler->OnStart(ns, local, attrs);
}

void CXmlStream::EndHandler(void* data, const char* name) {
    auto* self = static_cast<CXmlStream*>(data);
    std::string_view local;
    const EXmlNs ns = self->Resolve(name, local);
    self->m_handler->OnEnd(ns, local);
    if (!self->m_scopes.empty()) {
        self->m_bindings.resize(self->m_bindings.size() - size_t(self->m_scopes.back()));
        self->m_scopes.pop_back();
    }
}

void CXmlStream::TextHandler(void* data, const char* text, int length) {
    static_cast<CXmlStream*>(data)->m_handler->OnText(text, length);
}
