#pragma once

#include <QString>

#include <string>
#include <string_view>
#include <vector>

class QIODevice;
struct XML_ParserStruct;

// The vocabularies the readers know, told apart by namespace name and, when a file binds a
// familiar prefix to an unexpected name (or to none), by the prefix text.
enum class EXmlNs : unsigned char {
    None,        // no namespace (LOC files, GPX files without a declaration)
    Gpx,         // http://www.topografix.com/GPX/1/0 and /1/1
    Groundspeak, // http://www.groundspeak.com/cache/1/0, /1/0/1, /1/1 ...; prefix "groundspeak"
    Gsak,        // http://www.gsak.net/xmlv1/...; prefix "gsak"
    Quarrybook,  // urn:quarrybook:gpx:1
    Other,
};

// The namespace name of the fields only Quarrybook writes.
inline constexpr const char* kQuarrybookNs = "urn:quarrybook:gpx:1";

// Receives the events of one XML stream.
class IXmlHandler {
public:
    virtual ~IXmlHandler() = default;
    // `attrs` holds name, value pairs as the file writes them (names may carry a prefix), ended
    // by a null pointer; XmlAttr finds one by its local name.
    virtual void OnStart(EXmlNs ns, std::string_view local, const char** attrs) = 0;
    virtual void OnEnd(EXmlNs ns, std::string_view local) = 0;
    // UTF-8 text, in pieces.
    virtual void OnText(const char* text, int length) = 0;
};

// Appends text of a field to `field`, up to kMaxFieldBytes: no field of a waypoint is that
// long, and a file that says otherwise must not fill the memory.
inline constexpr size_t kMaxFieldBytes = 8 * 1024 * 1024;
void AppendCapped(std::string& field, const char* text, int length);

// The value of the attribute with local name `local` (any prefix), or null.
const char* XmlAttr(const char** attrs, std::string_view local);

// Streams one XML file through expat in pieces, so memory stays flat whatever the file size.
// Before the parser sees the bytes, characters XML forbids are removed (CXmlCharFilter); files
// declaring a single-byte code page expat does not know (windows-1252, ...) are decoded.
// Namespaces are resolved here, scope by scope, so that an undeclared or oddly bound
// "groundspeak:" prefix still counts.
class CXmlStream {
public:
    CXmlStream();
    ~CXmlStream();
    CXmlStream(const CXmlStream&) = delete;
    CXmlStream& operator=(const CXmlStream&) = delete;

    // Parses `input` to its end. False on a fault (ErrorString says file, line and what) or when
    // Stop was called (Stopped).
    bool Parse(QIODevice& input, const QString& fileName, IXmlHandler& handler);

    // Called from a handler: ends the parse after the current event.
    void Stop();
    bool Stopped() const { return m_stopped; }

    QString ErrorString() const { return m_error; }
    long ErrorLine() const { return m_errorLine; }
    // Number of forbidden characters removed.
    int DroppedCharacters() const { return m_dropped; }

private:
    struct Binding {
        std::string prefix;
        EXmlNs ns;
    };

    static void StartHandler(void* self, const char* name, const char** attrs);
    static void EndHandler(void* self, const char* name);
    static void TextHandler(void* self, const char* text, int length);

    EXmlNs Resolve(std::string_view qname, std::string_view& local) const;
    bool Fail(const QString& message, long line);

    XML_ParserStruct* m_parser = nullptr;
    IXmlHandler* m_handler = nullptr;
    std::vector<Binding> m_bindings;
    std::vector<int> m_scopes; // bindings added by each open element
    QString m_fileName;
    QString m_error;
    long m_errorLine = 0;
    long m_lineOffset = 0; // line ends skipped before the XML declaration
    int m_dropped = 0;
    bool m_stopped = false;
};
