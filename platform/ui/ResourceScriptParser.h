// Reads the resource-script language, the subset this program's scripts use:
//
//   #include "x.h", #define NAME value, #undef, #ifdef/#ifndef/#if/#else/#endif, #pragma
//   id DIALOG / DIALOGEX x, y, cx, cy      with STYLE, EXSTYLE, CAPTION, FONT, MENU
//       LTEXT RTEXT CTEXT PUSHBUTTON DEFPUSHBUTTON GROUPBOX CHECKBOX AUTOCHECKBOX
//       STATE3 AUTO3STATE RADIOBUTTON AUTORADIOBUTTON EDITTEXT COMBOBOX LISTBOX ICON
//       CONTROL "text", id, "class", style, x, y, cx, cy [, exstyle]
//   id DLGINIT          initial items of combo and list boxes (id, 0x403, length, 0, data)
//   id MENU             POPUP, MENUITEM, MENUITEM SEPARATOR
//   STRINGTABLE         id, "text"
//   id ICON / BITMAP / CURSOR "file"
//
// Ids and styles are expressions of numbers, #defined names and the style
// names (WS_CHILD, ES_NUMBER, ...), combined with | & + - ~ ( ) and NOT.
#pragma once

#include "platform/ui/ResourceTypes.h"

#include <functional>
#include <string>

class ResourceScriptParser
{
public:
    // Gives the text of a file of the resources folder (path relative to it);
    // false when there is no such file.
    using FileReader = std::function<bool(const std::string& path, std::string& text)>;

    explicit ResourceScriptParser(FileReader reader);

    // Parses the script at path (read through the reader).
    ResourceScript Parse(const std::string& path) const;
    // Parses the given text as the script at path (includes are read through the reader).
    ResourceScript ParseText(const std::string& path, const std::string& text) const;

private:
    FileReader m_reader;
};
