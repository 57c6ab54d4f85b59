#pragma once
// Scripts of user actions written as text (for the host program and for
// tests): one action per line, '#' starts a comment, texts in double quotes
// (escapes \" \\ \n).
//
//   click ID                 select ID INDEX | select ID "text"
//   type ID "text"           focus ID            spin ID STEPS
//   scroll ID CODE [POS]     (CODE: lineup linedown pageup pagedown
//                            lineleft lineright pageleft pageright
//                            thumb top bottom)
//   key ID KEY               (KEY: up down left right home end delete
//                            space, or a number)
//   help ID                  context ID          enter         escape
//   wait MILLISECONDS        end RESULT
//   page INDEX               ok        cancel     apply         sheethelp
//   messagebox ANSWER        (ok cancel yes no abort retry ignore, or a
//                            number: queued for the next message box)
//   dialog TEMPLATE {        the lines up to the closing "}" form the
//   ...                      script of the next modal run of that
//   }                        template
//
// The lines outside blocks form the main script (the sheet's, or the
// dialog's the caller runs).
#include <string>
#include <utility>
#include <vector>

#include "winapi/WinApi.h"
#include "winapi/host/WinUiScript.h"

struct QV_WINAPI_API WinUiScriptFile {
    WinUiScript main;
    std::vector<std::pair<WORD, WinUiScript>> dialogs; // in the order written
    std::vector<int> messageBoxAnswers;

    // Queues the main script for the next property sheet, the dialog
    // scripts per template and the message-box answers.
    void QueueForSheet() const;
};

class QV_WINAPI_API WinUiScriptParser {
public:
    // False with a message naming the line when the text is not a script.
    static bool Parse(const std::string& text, WinUiScriptFile& out, std::string& error);
    static bool ParseFile(const std::string& path, WinUiScriptFile& out, std::string& error);
};
