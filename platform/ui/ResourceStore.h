// The resource scripts embedded in the binary (every resources/*.rc with the
// headers it includes and the image files it names), parsed once on first use.
#pragma once

#include "platform/ui/ResourceTypes.h"

#include <string>
#include <vector>

class ResourceStore
{
public:
    static const ResourceStore& Instance();

    const DialogTemplate* FindDialog(UINT id) const;
    const MenuTemplate* FindMenu(UINT id) const;
    bool FindString(UINT id, std::string& text) const;
    // The bytes of the icon, bitmap or cursor file with this resource id.
    bool LoadFile(ResourceFileType type, UINT id, std::vector<unsigned char>& bytes) const;
    // Where the file of a resource is (a Qt resource path); empty when there is none.
    std::string FilePath(ResourceFileType type, UINT id) const;

    // Tells the drawing classes where bitmap resources are (CBitmap::LoadBitmap).
    static void ProvideBitmaps();

    std::vector<UINT> DialogIds() const;             // ascending
    const std::vector<std::string>& Scripts() const; // the embedded scripts, by path
    // Parse errors, duplicate resource ids and named files that are missing.
    const std::vector<std::string>& Errors() const;

    // Reads an embedded file of the resources folder (path relative to it).
    static bool ReadEmbedded(const std::string& path, std::string& text);

private:
    ResourceStore();

    std::vector<std::string> m_scripts;
    std::vector<DialogTemplate> m_dialogs;
    std::vector<MenuTemplate> m_menus;
    std::vector<std::pair<UINT, std::string>> m_strings;
    std::vector<ResourceFileRef> m_files;
    std::vector<std::string> m_errors;
};

// A string of the STRINGTABLE; false (and text unchanged) when there is none.
bool LoadStringResource(UINT id, std::string& text);
