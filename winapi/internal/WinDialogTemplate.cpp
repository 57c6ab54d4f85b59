#include "winapi/WinDialogTemplate.h"

#include <limits>

namespace {
constexpr BYTE kMagic[4] = {'Q', 'V', 'D', '1'};

class Writer {
public:
    void Bytes(const BYTE* data, size_t size) { out_.insert(out_.end(), data, data + size); }
    void Word(WORD value) {
        out_.push_back(static_cast<BYTE>(value));
        out_.push_back(static_cast<BYTE>(value >> 8));
    }
    void Dword(DWORD value) {
        Word(static_cast<WORD>(value));
        Word(static_cast<WORD>(value >> 16));
    }
    void Short(SHORT value) { Word(static_cast<WORD>(value)); }
    void Text(const std::u16string& text) {
        const size_t count = std::min<size_t>(text.size(), std::numeric_limits<WORD>::max());
        Word(static_cast<WORD>(count));
        for (size_t i = 0; i < count; ++i)
            Word(static_cast<WORD>(text[i]));
    }
    std::vector<BYTE> Take() { return std::move(out_); }

private:
    std::vector<BYTE> out_;
};

class Reader {
public:
    Reader(const BYTE* data, size_t size) : data_(data), size_(size) {}
    bool Word(WORD& value) {
        if (size_ - offset_ < 2) return false;
        value = static_cast<WORD>(data_[offset_] | (data_[offset_ + 1] << 8));
        offset_ += 2;
        return true;
    }
    bool Dword(DWORD& value) {
        WORD low = 0, high = 0;
        if (!Word(low) || !Word(high)) return false;
        value = MAKELONG(low, high);
        return true;
    }
    bool Short(SHORT& value) {
        WORD word = 0;
        if (!Word(word)) return false;
        value = static_cast<SHORT>(word);
        return true;
    }
    bool Text(std::u16string& text) {
        WORD count = 0;
        if (!Word(count) || (size_ - offset_) / 2 < count) return false;
        text.resize(count);
        for (WORD i = 0; i < count; ++i) {
            text[i] = static_cast<char16_t>(data_[offset_] | (data_[offset_ + 1] << 8));
            offset_ += 2;
        }
        return true;
    }
    bool Magic() {
        if (size_ < sizeof kMagic) return false;
        for (size_t i = 0; i < sizeof kMagic; ++i)
            if (data_[i] != kMagic[i]) return false;
        offset_ = sizeof kMagic;
        return true;
    }
    bool AtEnd() const { return offset_ == size_; }

private:
    const BYTE* data_;
    size_t size_;
    size_t offset_ = 0;
};

bool ReadRect(Reader& in, SHORT& x, SHORT& y, SHORT& width, SHORT& height) {
    return in.Short(x) && in.Short(y) && in.Short(width) && in.Short(height);
}
} // namespace

std::vector<BYTE> WinDialogTemplate::Serialize() const {
    Writer out;
    out.Bytes(kMagic, sizeof kMagic);
    out.Dword(style);
    out.Dword(exStyle);
    out.Short(x);
    out.Short(y);
    out.Short(width);
    out.Short(height);
    out.Word(pointSize);
    out.Word(weight);
    out.Text(caption);
    out.Text(fontFace);
    out.Text(className);
    const size_t count = std::min<size_t>(items.size(), std::numeric_limits<WORD>::max());
    out.Word(static_cast<WORD>(count));
    for (size_t i = 0; i < count; ++i) {
        const Item& item = items[i];
        out.Dword(item.id);
        out.Dword(item.style);
        out.Dword(item.exStyle);
        out.Short(item.x);
        out.Short(item.y);
        out.Short(item.width);
        out.Short(item.height);
        out.Text(item.className);
        out.Text(item.title);
    }
    return out.Take();
}

bool WinDialogTemplate::Parse(const BYTE* data, size_t size, WinDialogTemplate& out) {
    if (data == nullptr) return false;
    Reader in(data, size);
    WinDialogTemplate parsed;
    WORD count = 0;
    if (!in.Magic() || !in.Dword(parsed.style) || !in.Dword(parsed.exStyle) ||
        !ReadRect(in, parsed.x, parsed.y, parsed.width, parsed.height) || !in.Word(parsed.pointSize) ||
        !in.Word(parsed.weight) || !in.Text(parsed.caption) || !in.Text(parsed.fontFace) ||
        !in.Text(parsed.className) || !in.Word(count))
        return false;
    for (WORD i = 0; i < count; ++i) {
        Item item;
        if (!in.Dword(item.id) || !in.Dword(item.style) || !in.Dword(item.exStyle) ||
            !ReadRect(in, item.x, item.y, item.width, item.height) || !in.Text(item.className) ||
            !in.Text(item.title))
            return false;
        parsed.items.push_back(std::move(item));
    }
    if (!in.AtEnd()) return false;
    out = std::move(parsed);
    return true;
}
