#include "winapi/host/WinUiScriptParser.h"

#include <fstream>
#include <map>
#include <sstream>

#include "winapi/WinMessageBox.h"
#include "winapi/host/WinUiActions.h"
#include "winapi/host/WinUiDriver.h"
#include "winapi/internal/WinTextRules.h"

namespace {
struct Field {
    bool quoted = false;
    std::string text;
};

bool Split(const std::string& line, std::vector<Field>& fields) {
    size_t at = 0;
    while (at < line.size()) {
        const char c = line[at];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++at;
            continue;
        }
        if (c == '#') break;
        Field field;
        if (c == '"') {
            field.quoted = true;
            for (++at;; ++at) {
                if (at >= line.size()) return false;
                if (line[at] == '"') break;
                if (line[at] == '\\' && at + 1 < line.size()) {
                    const char e = line[++at];
                    field.text.push_back(e == 'n' ? '\n' : e);
                } else {
                    field.text.push_back(line[at]);
                }
            }
            ++at;
        } else {
            const size_t end = line.find_first_of(" \t\r#", at);
            field.text = line.substr(at, end == std::string::npos ? std::string::npos : end - at);
            at = end == std::string::npos ? line.size() : end;
        }
        fields.push_back(std::move(field));
    }
    return true;
}

bool Number(const Field& field, long long& value) {
    if (field.quoted || field.text.empty()) return false;
    size_t used = 0;
    try {
        value = std::stoll(field.text, &used, 0);
    } catch (...) {
        return false;
    }
    return used == field.text.size();
}

const std::map<std::string, WORD>& ScrollCodes() {
    static const std::map<std::string, WORD> codes = {
        {"lineup", SB_LINEUP},     {"linedown", SB_LINEDOWN},   {"pageup", SB_PAGEUP},
        {"pagedown", SB_PAGEDOWN}, {"lineleft", SB_LINELEFT},   {"lineright", SB_LINERIGHT},
        {"pageleft", SB_PAGELEFT}, {"pageright", SB_PAGERIGHT}, {"thumb", SB_THUMBPOSITION},
        {"top", SB_TOP},           {"bottom", SB_BOTTOM}};
    return codes;
}

const std::map<std::string, WPARAM>& Keys() {
    static const std::map<std::string, WPARAM> keys = {
        {"up", VK_UP},     {"down", VK_DOWN}, {"left", VK_LEFT},     {"right", VK_RIGHT},
        {"home", VK_HOME}, {"end", VK_END},   {"delete", VK_DELETE}, {"space", VK_SPACE}};
    return keys;
}

const std::map<std::string, int>& Answers() {
    static const std::map<std::string, int> answers = {
        {"ok", IDOK},       {"cancel", IDCANCEL}, {"yes", IDYES},      {"no", IDNO},
        {"abort", IDABORT}, {"retry", IDRETRY},   {"ignore", IDIGNORE}};
    return answers;
}

class Parser {
public:
    Parser(WinUiScriptFile& out, std::string& error) : out_(out), error_(error) {}

    bool Line(const std::string& text, int number) {
        number_ = number;
        std::vector<Field> fields;
        if (!Split(text, fields)) return Fail("unterminated text");
        if (fields.empty()) return true;
        const std::string verb = fields[0].text;
        if (verb == "}") {
            if (!inBlock_) return Fail("\"}\" without \"dialog\"");
            inBlock_ = false;
            return true;
        }
        if (verb == "dialog") {
            long long id = 0;
            if (inBlock_) return Fail("dialog blocks do not nest");
            if (fields.size() != 3 || !Number(fields[1], id) || id <= 0 || id > 0xFFFF ||
                fields[2].text != "{")
                return Fail("expected: dialog TEMPLATE {");
            out_.dialogs.emplace_back(static_cast<WORD>(id), WinUiScript{});
            inBlock_ = true;
            return true;
        }
        if (verb == "messagebox") {
            long long answer = 0;
            if (fields.size() != 2) return Fail("expected: messagebox ANSWER");
            auto named = Answers().find(fields[1].text);
            if (named != Answers().end())
                out_.messageBoxAnswers.push_back(named->second);
            else if (Number(fields[1], answer))
                out_.messageBoxAnswers.push_back(static_cast<int>(answer));
            else
                return Fail("unknown answer " + fields[1].text);
            return true;
        }
        WinUiAction action;
        if (!Action(verb, fields, action)) return false;
        (inBlock_ ? out_.dialogs.back().second : out_.main).push_back(std::move(action));
        return true;
    }

    bool Finish() { return !inBlock_ || Fail("a dialog block is not closed"); }

private:
    bool Fail(const std::string& what) {
        error_ = "line " + std::to_string(number_) + ": " + what;
        return false;
    }

    bool Id(const std::vector<Field>& fields, size_t count, int& id) {
        long long value = 0;
        if (fields.size() != count || !Number(fields[1], value) || value < -1 || value > 0xFFFF)
            return Fail("expected: " + fields[0].text + " ID" + (count > 2 ? " ..." : ""));
        id = static_cast<int>(value);
        return true;
    }

    bool Action(const std::string& verb, const std::vector<Field>& fields, WinUiAction& action) {
        int id = 0;
        long long value = 0;
        if (verb == "click" || verb == "focus" || verb == "help" || verb == "context") {
            if (!Id(fields, 2, id)) return false;
            action = verb == "click"   ? WinUiActions::Click(id)
                     : verb == "focus" ? WinUiActions::Focus(id)
                     : verb == "help"  ? WinUiActions::Help(id)
                                       : WinUiActions::ContextMenu(id);
            return true;
        }
        if (verb == "select") {
            if (!Id(fields, 3, id)) return false;
            if (fields[2].quoted)
                action = WinUiActions::SelectText(id, WinText::FromUtf8(fields[2].text));
            else if (Number(fields[2], value))
                action = WinUiActions::Select(id, static_cast<LONG_PTR>(value));
            else
                return Fail("select takes an index or a quoted text");
            return true;
        }
        if (verb == "type") {
            if (!Id(fields, 3, id) || !fields[2].quoted) return Fail("expected: type ID \"text\"");
            action = WinUiActions::Type(id, WinText::FromUtf8(fields[2].text));
            return true;
        }
        if (verb == "spin") {
            if (!Id(fields, 3, id) || !Number(fields[2], value)) return Fail("expected: spin ID STEPS");
            action = WinUiActions::Spin(id, static_cast<int>(value));
            return true;
        }
        if (verb == "scroll") {
            if (fields.size() < 3 || fields.size() > 4) return Fail("expected: scroll ID CODE [POSITION]");
            if (!Number(fields[1], value)) return Fail("expected: scroll ID CODE [POSITION]");
            id = static_cast<int>(value);
            auto code = ScrollCodes().find(fields[2].text);
            if (code == ScrollCodes().end()) return Fail("unknown scroll code " + fields[2].text);
            long long position = 0;
            if (fields.size() == 4 && !Number(fields[3], position)) return Fail("bad position");
            action = WinUiActions::Scroll(id, code->second, static_cast<int>(position));
            return true;
        }
        if (verb == "key") {
            if (!Id(fields, 3, id)) return false;
            auto key = Keys().find(fields[2].text);
            if (key != Keys().end())
                action = WinUiActions::Key(id, key->second);
            else if (Number(fields[2], value))
                action = WinUiActions::Key(id, static_cast<WPARAM>(value));
            else
                return Fail("unknown key " + fields[2].text);
            return true;
        }
        if (verb == "wait" || verb == "end" || verb == "page") {
            if (fields.size() != 2 || !Number(fields[1], value) || value < 0)
                return Fail("expected: " + verb + " NUMBER");
            action = verb == "wait"  ? WinUiActions::Wait(static_cast<uint32_t>(value))
                     : verb == "end" ? WinUiActions::End(static_cast<INT_PTR>(value))
                                     : WinUiActions::ShowPage(static_cast<size_t>(value));
            return true;
        }
        if (fields.size() != 1) return Fail("unknown action " + verb);
        if (verb == "enter")
            action = WinUiActions::Enter();
        else if (verb == "escape")
            action = WinUiActions::Escape();
        else if (verb == "ok")
            action = WinUiActions::SheetOk();
        else if (verb == "cancel")
            action = WinUiActions::SheetCancel();
        else if (verb == "apply")
            action = WinUiActions::SheetApply();
        else if (verb == "sheethelp")
            action = WinUiActions::SheetHelp();
        else
            return Fail("unknown action " + verb);
        return true;
    }

    WinUiScriptFile& out_;
    std::string& error_;
    int number_ = 0;
    bool inBlock_ = false;
};
} // namespace

void WinUiScriptFile::QueueForSheet() const {
    WinUiDriver::QueueSheetScript(main);
    for (const auto& [id, script] : dialogs)
        WinUiDriver::QueueDialogScript(id, script);
    for (int answer : messageBoxAnswers)
        WinUiDriver::QueueMessageBoxAnswer(answer);
}

bool WinUiScriptParser::Parse(const std::string& text, WinUiScriptFile& out, std::string& error) {
    WinUiScriptFile parsed;
    Parser parser(parsed, error);
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line))
        if (!parser.Line(line, ++number)) return false;
    if (!parser.Finish()) return false;
    out = std::move(parsed);
    return true;
}

bool WinUiScriptParser::ParseFile(const std::string& path, WinUiScriptFile& out, std::string& error) {
    std::ifstream file(path);
    if (!file) {
        error = path + ": cannot be read";
        return false;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return Parse(text.str(), out, error);
}
