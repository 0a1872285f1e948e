// The sample models' folders, and running in one of them.
#pragma once

#include <filesystem>
#include <string>

// The folder of a sample model: its User.ini, panel description and bitmaps.
inline std::filesystem::path ModelFolder(const std::string& model)
{
    return std::filesystem::path(KORVEL_SOURCE_DIR) / "resources" / "models" / model;
}

// Runs in a folder: the current folder is changed for the life of the object.
// The panel's bitmap names are relative to the current folder: the model's,
// while a panel or main window of it is read or runs.
class InFolder
{
public:
    explicit InFolder(const std::filesystem::path& folder) : m_old(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~InFolder() { std::filesystem::current_path(m_old); }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

private:
    std::filesystem::path m_old;
};
