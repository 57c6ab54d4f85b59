#pragma once
// Reads the resource text files into a ResourceModel. Every file is a list
// of lines; '#' starts a comment; texts are in double quotes with the
// escapes \n, \t, \", \\ and \uXXXX (the files themselves are UTF-8).
//
//   strings:   ID "text"
//   dialogs:   DIALOG ID "caption" X Y WIDTH HEIGHT
//              STYLE PAGE | POPUP [extra styles]
//              FONT POINTS "face"
//              KEYWORD ID "text" X Y WIDTH HEIGHT [STYLE|STYLE|-STYLE]
//              (KEYWORD: PUSHBUTTON, DEFPUSHBUTTON, CHECKBOX, RADIO,
//              GROUPBOX, OWNERDRAW, LTEXT, CTEXT, RTEXT, EDIT, COMBO,
//              COMBOEDIT, LIST, UPDOWN, HSCROLL, TRACKBAR; a style with
//              a leading '-' is taken away from the keyword's own)
//   bitmaps:   BITMAP ID WIDTH HEIGHT #RRGGBB (the background), then
//              FILL X Y W H #RRGGBB, FRAME X Y W H #RRGGBB,
//              LINE X0 Y0 X1 Y1 #RRGGBB (both ends drawn),
//              PALETTE C #RRGGBB, PIXELS X Y followed by rows of palette
//              characters up to END
//   module:    CURSOR ID
//              FILEVERSION A B C D, PRODUCTVERSION A B C D,
//              TRANSLATION LANGUAGE CODEPAGE, VALUE "name" "text"
//
// Errors name the file and line and stop the build.
#include <string>

#include "ResourceModel.h"

class ResourceReader {
public:
    // Throws std::runtime_error on any error.
    static void Read(const std::string& path, ResourceModel& model);
};
