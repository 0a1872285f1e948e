// Runs in a folder for the life of the object: the panel's bitmap names are
// relative to the current folder.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>

class InFolder
{
public:
    explicit InFolder(const std::string& folder)
    {
        m_old = std::filesystem::current_path(m_error);
        if (!m_error)
            std::filesystem::current_path(folder, m_error);
    }
    ~InFolder()
    {
        std::error_code ignored;
        std::filesystem::current_path(m_old, ignored);
    }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

    bool Entered() const { return !m_error; }

private:
    std::filesystem::path m_old;
    std::error_code m_error;
};
