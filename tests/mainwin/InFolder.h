// Runs in a folder: the current folder is changed for the life of the object.
#pragma once

#include <filesystem>

// The panel's bitmap names are relative to the current folder: the model's,
// while a main window of it runs.
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
