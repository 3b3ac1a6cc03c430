#include "gamelist/ListInfoConverter.h"

#include <expat.h>

#include <cstring>

namespace kelvaro {

namespace {

// Finished blocks are handed on once this much has gathered, so that a single huge Feed call
// (a whole list already in memory) still keeps memory flat.
constexpr std::size_t kFlushSize = 1 << 20;

// The emulator's list nests five levels deep. Far deeper nesting is no list at all, and expat
// would keep every open element until memory runs out.
constexpr int kMaxDepth = 64;

bool Is(const XML_Char* a, const char* b) { return std::strcmp(a, b) == 0; }

// Line breaks and tabs inside a value would break the one-line-per-field text.
void AppendClean(std::string& out, const std::string& text) {
    std::size_t start = out.size();
    out += text;
    for (std::size_t i = start; i < out.size(); ++i) {
        char& c = out[i];
        if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    }
}

// A value of the video line as the game list reader finds it: the screen type, width, height
// and refresh of the emulator's lists are plain words and numbers, written as they are. Anything
// else (a blank, a parenthesis, a word the reader looks for) is written in double quotes, which
// the reader takes whole; a double quote inside becomes an apostrophe, as the line has no escape.
void AppendVideoValue(std::string& out, const std::string& text, bool isType) {
    static constexpr const char* kReaderWords[] = {"raster", "vector", "horizontal", "vertical", "freq"};
    bool plain = text != "x" && text != "y";
    for (const char c : text)
        plain = plain && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                          c == '-' || c == '+' || c == '_');
    if (plain && !(isType && (text == "raster" || text == "vector")))
        for (const char* word : kReaderWords) plain = plain && text.find(word) == std::string::npos;
    if (plain) {
        out += text;
        return;
    }
    const std::size_t start = out.size() + 1;
    out += '"';
    AppendClean(out, text);
    for (std::size_t i = start; i < out.size(); ++i)
        if (out[i] == '"') out[i] = '\'';
    out += '"';
}

} // namespace

struct ListInfoConverter::Impl {
    XML_Parser parser = nullptr;
    Sink sink;
    std::string out;
    bool failed = false;
    bool finished = false;
    int written = 0;
    std::string error;
    bool tooDeep = false;

    int level = 0;        // open elements, the root being level 1
    int machineLevel = 0; // level of the open machine element; 0 outside a machine
    bool keep = false;    // the open machine is one that is written (when it has a display)

    std::string name, cloneOf, romOf, description, year, manufacturer;
    bool hasCloneOf = false, hasRomOf = false, hasDescription = false, hasYear = false, hasManufacturer = false;

    bool hasDisplay = false, hasWidth = false, hasHeight = false, hasRefresh = false, vertical = false;
    std::string type, width, height, refresh;

    std::string* collecting = nullptr;

    void BeginMachine(const XML_Char** atts) {
        machineLevel = level;
        keep = true;
        hasCloneOf = hasRomOf = hasDescription = hasYear = hasManufacturer = hasDisplay = false;
        name.clear();
        for (int i = 0; atts[i]; i += 2) {
            const XML_Char* key = atts[i];
            const XML_Char* value = atts[i + 1];
            switch (key[0]) {
            case 'n':
                if (Is(key, "name")) name = value;
                break;
            case 'c':
                if (Is(key, "cloneof")) {
                    cloneOf = value;
                    hasCloneOf = true;
                }
                break;
            case 'r':
                if (Is(key, "romof")) {
                    romOf = value;
                    hasRomOf = true;
                } else if (Is(key, "runnable") && Is(value, "no")) {
                    keep = false;
                }
                break;
            case 'i':
                if ((Is(key, "isdevice") || Is(key, "isbios")) && Is(value, "yes")) keep = false;
                break;
            default: break;
            }
        }
    }

    void ReadDisplay(const XML_Char** atts) {
        hasDisplay = true;
        hasWidth = hasHeight = hasRefresh = vertical = false;
        type.clear();
        for (int i = 0; atts[i]; i += 2) {
            const XML_Char* key = atts[i];
            const XML_Char* value = atts[i + 1];
            if (Is(key, "type")) {
                type = value;
            } else if (Is(key, "rotate")) {
                vertical = Is(value, "90") || Is(value, "270");
            } else if (Is(key, "width")) {
                width = value;
                hasWidth = true;
            } else if (Is(key, "height")) {
                height = value;
                hasHeight = true;
            } else if (Is(key, "refresh")) {
                refresh = value;
                hasRefresh = true;
            }
        }
    }

    void Collect(std::string& field, bool& has) {
        if (has) return; // the first element of its kind counts
        has = true;
        field.clear();
        collecting = &field;
        XML_SetCharacterDataHandler(parser, OnText);
    }

    void EndMachine() {
        machineLevel = 0;
        if (!keep || !hasDisplay) return;
        out += "game (\r\n\tname ";
        AppendClean(out, name);
        out += "\r\n\tdescription \"";
        if (hasDescription) AppendClean(out, description);
        out += "\"\r\n";
        if (hasYear) {
            out += "\tyear ";
            AppendClean(out, year);
            out += "\r\n";
        }
        if (hasManufacturer) {
            out += "\tmanufacturer \"";
            AppendClean(out, manufacturer);
            out += "\"\r\n";
        }
        if (hasCloneOf) {
            out += "\tcloneof ";
            AppendClean(out, cloneOf);
            out += "\r\n";
        }
        if (hasRomOf) {
            out += "\tromof ";
            AppendClean(out, romOf);
            out += "\r\n";
        }
        out += "\tvideo ( screen ";
        AppendVideoValue(out, type, true);
        out += vertical ? " orientation vertical " : " orientation horizontal ";
        if (type != "vector" && hasWidth && hasHeight) {
            // The size as the player sees it: a turned screen shows its height across.
            out += "x ";
            AppendVideoValue(out, vertical ? height : width, false);
            out += " y ";
            AppendVideoValue(out, vertical ? width : height, false);
            out += ' ';
        }
        out += vertical ? "aspectx 3 aspecty 4 " : "aspectx 4 aspecty 3 ";
        if (hasRefresh) {
            out += "freq ";
            AppendVideoValue(out, refresh, false);
            out += ' ';
        }
        out += ")\r\n)\r\n\r\n";
        ++written;
        if (out.size() >= kFlushSize) Flush();
    }

    // "line 12, column 3: " of where the parser stands.
    [[nodiscard]] std::string Position() const {
        return "line " + std::to_string(XML_GetCurrentLineNumber(parser)) + ", column " +
               std::to_string(XML_GetCurrentColumnNumber(parser)) + ": ";
    }

    void Flush() {
        if (out.empty()) return;
        sink(out);
        out.clear();
    }

    static void XMLCALL OnStart(void* userData, const XML_Char* element, const XML_Char** atts) {
        Impl& s = *static_cast<Impl*>(userData);
        if (++s.level > kMaxDepth) {
            // Said here, where the element opens; once stopped, expat stands behind it.
            s.tooDeep = true;
            s.error = s.Position() + "elements nested more than " + std::to_string(kMaxDepth) + " levels deep";
            XML_StopParser(s.parser, XML_FALSE);
            return;
        }
        if (s.machineLevel == 0) {
            // "game" is the element name of older emulators' lists.
            if (Is(element, "machine") || Is(element, "game")) s.BeginMachine(atts);
            return;
        }
        if (!s.keep || s.level != s.machineLevel + 1) return;
        switch (element[0]) {
        case 'd':
            if (Is(element, "description"))
                s.Collect(s.description, s.hasDescription);
            else if (!s.hasDisplay && Is(element, "display"))
                s.ReadDisplay(atts);
            break;
        case 'y':
            if (Is(element, "year")) s.Collect(s.year, s.hasYear);
            break;
        case 'm':
            if (Is(element, "manufacturer")) s.Collect(s.manufacturer, s.hasManufacturer);
            break;
        default: break;
        }
    }

    static void XMLCALL OnEnd(void* userData, const XML_Char* /*element*/) {
        Impl& s = *static_cast<Impl*>(userData);
        if (s.machineLevel != 0) {
            if (s.level == s.machineLevel) {
                s.EndMachine();
            } else if (s.collecting && s.level == s.machineLevel + 1) {
                s.collecting = nullptr;
                XML_SetCharacterDataHandler(s.parser, nullptr);
            }
        }
        --s.level;
    }

    // Set only while a wanted text is open: expat then skips the call for all other text,
    // which is most of the list.
    static void XMLCALL OnText(void* userData, const XML_Char* text, int length) {
        Impl& s = *static_cast<Impl*>(userData);
        if (s.collecting) s.collecting->append(text, static_cast<std::size_t>(length));
    }
};

ListInfoConverter::ListInfoConverter(Sink sink) : impl_(std::make_unique<Impl>()) {
    impl_->sink = std::move(sink);
    // No encoding given: the document's own declaration counts, and text arrives as UTF-8.
    impl_->parser = XML_ParserCreate(nullptr);
    if (!impl_->parser) {
        impl_->failed = true;
        impl_->error = "out of memory";
        return;
    }
    XML_SetUserData(impl_->parser, impl_.get());
    XML_SetElementHandler(impl_->parser, Impl::OnStart, Impl::OnEnd);
    // No external entity handler and no parameter entity parsing: the list's DOCTYPE carries its
    // DTD inline, and nothing outside the input is ever fetched.
    XML_SetParamEntityParsing(impl_->parser, XML_PARAM_ENTITY_PARSING_NEVER);
}

ListInfoConverter::~ListInfoConverter() {
    if (impl_->parser) XML_ParserFree(impl_->parser);
}

bool ListInfoConverter::Feed(const char* data, std::size_t size, bool isFinal) {
    Impl& s = *impl_;
    if (s.failed) return false;
    if (s.finished) return true;
    // expat takes an int length; feed very large buffers in parts.
    constexpr std::size_t kMaxPart = 1u << 30;
    do {
        std::size_t part = size < kMaxPart ? size : kMaxPart;
        bool last = isFinal && part == size;
        if (XML_Parse(s.parser, data, static_cast<int>(part), last ? 1 : 0) == XML_STATUS_ERROR) {
            s.failed = true;
            if (!s.tooDeep) s.error = s.Position() + XML_ErrorString(XML_GetErrorCode(s.parser));
            s.Flush();
            return false;
        }
        data += part;
        size -= part;
    } while (size > 0);
    if (isFinal) s.finished = true;
    s.Flush();
    return true;
}

bool ListInfoConverter::Failed() const { return impl_->failed; }

int ListInfoConverter::MachinesWritten() const { return impl_->written; }

std::string ListInfoConverter::ErrorText() const { return impl_->error; }

} // namespace kelvaro
