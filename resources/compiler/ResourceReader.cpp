#include "ResourceReader.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <unordered_map>

#include "winapi/WinControls.h"
#include "winapi/WinDialog.h"
#include "winapi/WinText.h"

namespace {
struct Token {
    enum class Kind { Word, Number, Text, Color } kind;
    std::string word;
    long long number = 0;
    std::u16string text;
    uint32_t color = 0; // COLORREF
};

class Line {
public:
    Line(std::string path, int number, std::vector<Token> tokens)
        : path_(std::move(path)), number_(number), tokens_(std::move(tokens)) {}

    [[noreturn]] void Fail(const std::string& what) const {
        throw std::runtime_error(path_ + ":" + std::to_string(number_) + ": " + what);
    }
    size_t Size() const { return tokens_.size(); }
    const Token& At(size_t i) const {
        if (i >= tokens_.size()) Fail("too few fields");
        return tokens_[i];
    }
    std::string Word(size_t i) const {
        if (At(i).kind != Token::Kind::Word) Fail("a word was expected in field " + std::to_string(i + 1));
        return At(i).word;
    }
    long long Number(size_t i) const {
        if (At(i).kind != Token::Kind::Number)
            Fail("a number was expected in field " + std::to_string(i + 1));
        return At(i).number;
    }
    std::u16string Text(size_t i) const {
        if (At(i).kind != Token::Kind::Text)
            Fail("a quoted text was expected in field " + std::to_string(i + 1));
        return At(i).text;
    }
    uint32_t Color(size_t i) const {
        if (At(i).kind != Token::Kind::Color)
            Fail("a #RRGGBB colour was expected in field " + std::to_string(i + 1));
        return At(i).color;
    }
    int Int(size_t i, long long low, long long high) const {
        const long long value = Number(i);
        if (value < low || value > high) Fail("number out of range in field " + std::to_string(i + 1));
        return static_cast<int>(value);
    }

private:
    std::string path_;
    int number_;
    std::vector<Token> tokens_;
};

void AppendUtf16(std::u16string& out, uint32_t code) {
    if (code >= 0x10000) {
        code -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(code));
    }
}

// A quoted text from `at` (just after the opening quote); UTF-8 decoded.
std::u16string QuotedText(const std::string& line, size_t& at,
                          const std::function<void(const std::string&)>& fail) {
    std::string bytes;
    while (true) {
        if (at >= line.size()) fail("unterminated text");
        const char c = line[at++];
        if (c == '"') break;
        if (c != '\\') {
            bytes.push_back(c);
            continue;
        }
        if (at >= line.size()) fail("unterminated escape");
        const char e = line[at++];
        if (e == 'n')
            bytes.push_back('\n');
        else if (e == 't')
            bytes.push_back('\t');
        else if (e == '"' || e == '\\')
            bytes.push_back(e);
        else if (e == 'u') {
            if (at + 4 > line.size()) fail("bad \\u escape");
            const uint32_t code = static_cast<uint32_t>(std::stoul(line.substr(at, 4), nullptr, 16));
            at += 4;
            std::u16string unit;
            AppendUtf16(unit, code);
            bytes += WinText::ToUtf8(unit);
        } else {
            fail(std::string("unknown escape \\") + e);
        }
    }
    return WinText::FromUtf8(bytes);
}

std::vector<Token> Tokens(const std::string& line, const std::function<void(const std::string&)>& fail) {
    std::vector<Token> tokens;
    size_t at = 0;
    while (at < line.size()) {
        const char c = line[at];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++at;
            continue;
        }
        if (c == '#' && (at + 1 >= line.size() || !std::isxdigit(static_cast<unsigned char>(line[at + 1]))))
            break;
        Token token;
        if (c == '"') {
            ++at;
            token.kind = Token::Kind::Text;
            token.text = QuotedText(line, at, fail);
        } else if (c == '#') {
            const std::string hex = line.substr(at + 1, 6);
            if (hex.size() != 6) fail("bad colour");
            const auto rgb = static_cast<uint32_t>(std::stoul(hex, nullptr, 16));
            token.kind = Token::Kind::Color;
            token.color = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
            at += 7;
        } else {
            const size_t end = line.find_first_of(" \t\r", at);
            token.word = line.substr(at, end == std::string::npos ? std::string::npos : end - at);
            at = end == std::string::npos ? line.size() : end;
            char* rest = nullptr;
            const bool number = std::isdigit(static_cast<unsigned char>(token.word[0])) ||
                                (token.word[0] == '-' && token.word.size() > 1 &&
                                 std::isdigit(static_cast<unsigned char>(token.word[1])));
            if (number) {
                token.number = std::strtoll(token.word.c_str(), &rest, 0);
                if (*rest != 0) fail("bad number " + token.word);
                token.kind = Token::Kind::Number;
            } else {
                token.kind = Token::Kind::Word;
            }
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

const std::unordered_map<std::string, DWORD>& StyleNames() {
    static const std::unordered_map<std::string, DWORD> names = {
        {"WS_VISIBLE", WS_VISIBLE},
        {"WS_DISABLED", WS_DISABLED},
        {"WS_GROUP", WS_GROUP},
        {"WS_TABSTOP", WS_TABSTOP},
        {"WS_BORDER", WS_BORDER},
        {"WS_VSCROLL", WS_VSCROLL},
        {"WS_HSCROLL", WS_HSCROLL},
        {"WS_CAPTION", WS_CAPTION},
        {"WS_SYSMENU", WS_SYSMENU},
        {"BS_LEFTTEXT", BS_LEFTTEXT},
        {"BS_NOTIFY", BS_NOTIFY},
        {"BS_AUTOCHECKBOX", BS_AUTOCHECKBOX},
        {"BS_CHECKBOX", BS_CHECKBOX},
        {"BS_AUTORADIOBUTTON", BS_AUTORADIOBUTTON},
        {"BS_RADIOBUTTON", BS_RADIOBUTTON},
        {"SS_NOTIFY", SS_NOTIFY},
        {"SS_NOPREFIX", SS_NOPREFIX},
        {"SS_SUNKEN", SS_SUNKEN},
        {"SS_ETCHEDHORZ", SS_ETCHEDHORZ},
        {"SS_BLACKRECT", SS_BLACKRECT},
        {"ES_NUMBER", ES_NUMBER},
        {"ES_READONLY", ES_READONLY},
        {"ES_UPPERCASE", ES_UPPERCASE},
        {"ES_PASSWORD", ES_PASSWORD},
        {"ES_AUTOHSCROLL", ES_AUTOHSCROLL},
        {"ES_CENTER", ES_CENTER},
        {"ES_RIGHT", ES_RIGHT},
        {"CBS_SORT", CBS_SORT},
        {"CBS_OWNERDRAWFIXED", CBS_OWNERDRAWFIXED},
        {"CBS_HASSTRINGS", CBS_HASSTRINGS},
        {"LBS_NOTIFY", LBS_NOTIFY},
        {"LBS_SORT", LBS_SORT},
        {"LBS_WANTKEYBOARDINPUT", LBS_WANTKEYBOARDINPUT},
        {"LBS_NOINTEGRALHEIGHT", LBS_NOINTEGRALHEIGHT},
        {"UDS_WRAP", UDS_WRAP},
        {"UDS_SETBUDDYINT", UDS_SETBUDDYINT},
        {"UDS_ALIGNRIGHT", UDS_ALIGNRIGHT},
        {"UDS_AUTOBUDDY", UDS_AUTOBUDDY},
        {"UDS_ARROWKEYS", UDS_ARROWKEYS},
        {"UDS_NOTHOUSANDS", UDS_NOTHOUSANDS},
        {"UDS_HORZ", UDS_HORZ},
        {"SBS_VERT", SBS_VERT},
        {"TBS_VERT", TBS_VERT},
        {"DS_CENTER", DS_CENTER},
        {"DS_MODALFRAME", DS_MODALFRAME},
    };
    return names;
}

struct Keyword {
    const char16_t* className;
    DWORD style;
};

const std::unordered_map<std::string, Keyword>& Keywords() {
    static const std::unordered_map<std::string, Keyword> keywords = {
        {"PUSHBUTTON", {WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP}},
        {"DEFPUSHBUTTON", {WC_BUTTONW, BS_DEFPUSHBUTTON | WS_TABSTOP}},
        {"CHECKBOX", {WC_BUTTONW, BS_AUTOCHECKBOX | WS_TABSTOP}},
        {"RADIO", {WC_BUTTONW, BS_AUTORADIOBUTTON}},
        {"GROUPBOX", {WC_BUTTONW, BS_GROUPBOX}},
        {"OWNERDRAW", {WC_BUTTONW, BS_OWNERDRAW}},
        {"LTEXT", {WC_STATICW, SS_LEFT}},
        {"CTEXT", {WC_STATICW, SS_CENTER}},
        {"RTEXT", {WC_STATICW, SS_RIGHT}},
        {"EDIT", {WC_EDITW, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP}},
        {"COMBO", {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP}},
        {"COMBOEDIT", {WC_COMBOBOXW, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP}},
        {"LIST", {WC_LISTBOXW, LBS_NOTIFY | WS_BORDER | WS_VSCROLL | WS_TABSTOP}},
        {"UPDOWN", {UPDOWN_CLASSW, UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS}},
        {"HSCROLL", {WC_SCROLLBARW, SBS_HORZ}},
        {"TRACKBAR", {TRACKBAR_CLASSW, TBS_HORZ | WS_TABSTOP}},
    };
    return keywords;
}

// "A|B|-C": styles to add and to take away.
void Styles(const Line& line, const std::string& list, DWORD& style) {
    std::stringstream parts(list);
    std::string part;
    while (std::getline(parts, part, '|')) {
        const bool remove = !part.empty() && part[0] == '-';
        const std::string name = remove ? part.substr(1) : part;
        auto found = StyleNames().find(name);
        if (found == StyleNames().end()) line.Fail("unknown style " + name);
        style = remove ? style & ~found->second : style | found->second;
    }
}

class Reader {
public:
    Reader(std::string path, ResourceModel& model) : path_(std::move(path)), model_(model) {}

    void Run() {
        std::ifstream file(path_);
        if (!file) throw std::runtime_error(path_ + ": cannot be read");
        std::string text;
        int number = 0;
        while (std::getline(file, text)) {
            ++number;
            if (pixels_ != nullptr) {
                Pixels(text, number);
                continue;
            }
            const auto fail = [&](const std::string& what) {
                throw std::runtime_error(path_ + ":" + std::to_string(number) + ": " + what);
            };
            Line line(path_, number, Tokens(text, fail));
            if (line.Size() > 0) Statement(line);
        }
        if (pixels_ != nullptr) throw std::runtime_error(path_ + ": PIXELS without END");
    }

private:
    void Statement(const Line& line) {
        const Token& first = line.At(0);
        if (first.kind == Token::Kind::Number) return String(line);
        const std::string keyword = first.word;
        if (keyword == "DIALOG") return Dialog(line);
        if (keyword == "STYLE") return DialogStyle(line);
        if (keyword == "FONT") return Font(line);
        if (Keywords().count(keyword) != 0) return Control(line, Keywords().at(keyword));
        if (keyword == "BITMAP") return Bitmap(line);
        if (keyword == "FILL" || keyword == "FRAME") return Rectangle(line, keyword == "FILL");
        if (keyword == "LINE") return Stroke(line);
        if (keyword == "PALETTE") return Palette(line);
        if (keyword == "PIXELS") return StartPixels(line);
        if (keyword == "CURSOR")
            return model_.cursors.push_back(static_cast<uint32_t>(line.Int(1, 1, 65535)));
        if (keyword == "FILEVERSION" || keyword == "PRODUCTVERSION")
            return Version(line, keyword == "FILEVERSION");
        if (keyword == "TRANSLATION") return Translation(line);
        if (keyword == "VALUE") return Value(line);
        line.Fail("unknown statement " + keyword);
    }

    void String(const Line& line) {
        const auto id = static_cast<uint32_t>(line.Int(0, 1, 65535));
        if (!model_.strings.emplace(id, line.Text(1)).second)
            line.Fail("string " + std::to_string(id) + " twice");
    }

    void Dialog(const Line& line) {
        const auto id = static_cast<uint32_t>(line.Int(1, 1, 65535));
        WinDialogTemplate dialog;
        dialog.caption = line.Text(2);
        dialog.x = static_cast<SHORT>(line.Int(3, 0, 2000));
        dialog.y = static_cast<SHORT>(line.Int(4, 0, 2000));
        dialog.width = static_cast<SHORT>(line.Int(5, 1, 2000));
        dialog.height = static_cast<SHORT>(line.Int(6, 1, 2000));
        dialog.style = WS_CHILD | DS_CONTROL | DS_SETFONT;
        dialog.fontFace = u"MS Shell Dlg";
        auto inserted = model_.dialogs.emplace(id, dialog);
        if (!inserted.second) line.Fail("dialog " + std::to_string(id) + " twice");
        dialog_ = &inserted.first->second;
    }

    WinDialogTemplate& CurrentDialog(const Line& line) {
        if (dialog_ == nullptr) line.Fail("no DIALOG before this line");
        return *dialog_;
    }

    void DialogStyle(const Line& line) {
        WinDialogTemplate& dialog = CurrentDialog(line);
        const std::string kind = line.Word(1);
        if (kind == "PAGE")
            dialog.style = WS_CHILD | DS_CONTROL | DS_SETFONT;
        else if (kind == "POPUP")
            dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
        else
            line.Fail("STYLE is PAGE or POPUP");
        if (line.Size() > 2) Styles(line, line.Word(2), dialog.style);
    }

    void Font(const Line& line) {
        WinDialogTemplate& dialog = CurrentDialog(line);
        dialog.pointSize = static_cast<WORD>(line.Int(1, 1, 72));
        dialog.fontFace = line.Text(2);
    }

    void Control(const Line& line, const Keyword& keyword) {
        WinDialogTemplate& dialog = CurrentDialog(line);
        WinDialogTemplate::Item item;
        item.id = static_cast<DWORD>(line.Int(1, -1, 65535));
        item.title = line.Text(2);
        item.x = static_cast<SHORT>(line.Int(3, 0, 2000));
        item.y = static_cast<SHORT>(line.Int(4, 0, 2000));
        item.width = static_cast<SHORT>(line.Int(5, 0, 2000));
        item.height = static_cast<SHORT>(line.Int(6, 0, 2000));
        item.className = keyword.className;
        item.style = WS_CHILD | WS_VISIBLE | keyword.style;
        if (line.Size() > 7) Styles(line, line.Word(7), item.style);
        if (line.Size() > 8) line.Fail("too many fields");
        dialog.items.push_back(std::move(item));
    }

    void Bitmap(const Line& line) {
        const auto id = static_cast<uint32_t>(line.Int(1, 1, 65535));
        WinBitmapResource bitmap;
        bitmap.width = line.Int(2, 1, 4096);
        bitmap.height = line.Int(3, 1, 4096);
        bitmap.pixels.assign(static_cast<size_t>(bitmap.width) * bitmap.height, line.Color(4));
        auto inserted = model_.bitmaps.emplace(id, std::move(bitmap));
        if (!inserted.second) line.Fail("bitmap " + std::to_string(id) + " twice");
        bitmap_ = &inserted.first->second;
        palette_.clear();
    }

    WinBitmapResource& CurrentBitmap(const Line& line) {
        if (bitmap_ == nullptr) line.Fail("no BITMAP before this line");
        return *bitmap_;
    }

    void Put(WinBitmapResource& bitmap, long long x, long long y, uint32_t color) {
        if (x < 0 || y < 0 || x >= bitmap.width || y >= bitmap.height) return;
        bitmap.pixels[static_cast<size_t>(y) * bitmap.width + static_cast<size_t>(x)] = color;
    }

    void Rectangle(const Line& line, bool fill) {
        WinBitmapResource& bitmap = CurrentBitmap(line);
        const long long x = line.Number(1), y = line.Number(2), w = line.Number(3), h = line.Number(4);
        const uint32_t color = line.Color(5);
        for (long long py = y; py < y + h; ++py)
            for (long long px = x; px < x + w; ++px)
                if (fill || px == x || py == y || px == x + w - 1 || py == y + h - 1)
                    Put(bitmap, px, py, color);
    }

    void Stroke(const Line& line) {
        WinBitmapResource& bitmap = CurrentBitmap(line);
        long long x0 = line.Number(1), y0 = line.Number(2);
        const long long x1 = line.Number(3), y1 = line.Number(4);
        const uint32_t color = line.Color(5);
        const long long dx = std::llabs(x1 - x0), dy = -std::llabs(y1 - y0);
        const long long sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
        long long error = dx + dy;
        for (;;) {
            Put(bitmap, x0, y0, color);
            if (x0 == x1 && y0 == y1) break;
            const long long twice = 2 * error;
            if (twice >= dy) {
                error += dy;
                x0 += sx;
            }
            if (twice <= dx) {
                error += dx;
                y0 += sy;
            }
        }
    }

    void Palette(const Line& line) {
        CurrentBitmap(line);
        const std::string key = line.Word(1);
        if (key.size() != 1) line.Fail("a palette key is one character");
        palette_[key[0]] = line.Color(2);
    }

    void StartPixels(const Line& line) {
        pixels_ = &CurrentBitmap(line);
        pixelX_ = line.Number(1);
        pixelY_ = line.Number(2);
    }

    void Pixels(const std::string& text, int number) {
        if (text == "END") {
            pixels_ = nullptr;
            return;
        }
        for (size_t i = 0; i < text.size(); ++i) {
            auto found = palette_.find(text[i]);
            if (found == palette_.end())
                throw std::runtime_error(path_ + ":" + std::to_string(number) + ": no palette entry for '" +
                                         text[i] + "'");
            Put(*pixels_, pixelX_ + static_cast<long long>(i), pixelY_, found->second);
        }
        ++pixelY_;
    }

    void Version(const Line& line, bool file) {
        const auto part = [&](size_t i) { return static_cast<DWORD>(line.Int(i, 0, 65535)); };
        const DWORD high = (part(1) << 16) | part(2), low = (part(3) << 16) | part(4);
        (file ? model_.fixed.dwFileVersionMS : model_.fixed.dwProductVersionMS) = high;
        (file ? model_.fixed.dwFileVersionLS : model_.fixed.dwProductVersionLS) = low;
        model_.hasVersion = true;
    }

    void Translation(const Line& line) {
        const auto language = static_cast<uint32_t>(line.Int(1, 0, 65535));
        const auto codePage = static_cast<uint32_t>(line.Int(2, 0, 65535));
        model_.translations.push_back(language | (codePage << 16));
        model_.hasVersion = true;
    }

    void Value(const Line& line) { model_.versionStrings.push_back({line.Text(1), line.Text(2)}); }

    std::string path_;
    ResourceModel& model_;
    WinDialogTemplate* dialog_ = nullptr;
    WinBitmapResource* bitmap_ = nullptr;
    std::unordered_map<char, uint32_t> palette_;
    WinBitmapResource* pixels_ = nullptr;
    long long pixelX_ = 0, pixelY_ = 0;
};
} // namespace

void ResourceReader::Read(const std::string& path, ResourceModel& model) {
    Reader(path, model).Run();
}
