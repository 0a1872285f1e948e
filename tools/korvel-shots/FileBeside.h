// Puts a copy of a file in the current folder for the life of the object
// (a file the module looks for there), unless one is there already; the copy
// goes again at the end.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>

class FileBeside
{
public:
    explicit FileBeside(const std::filesystem::path& source)
    {
        m_copy = std::filesystem::current_path(m_error) / source.filename();
        if (m_error || std::filesystem::exists(m_copy, m_error))
            return;
        m_made = std::filesystem::copy_file(source, m_copy, m_error);
    }
    ~FileBeside()
    {
        std::error_code ignored;
        if (m_made)
            std::filesystem::remove(m_copy, ignored);
    }
    FileBeside(const FileBeside&) = delete;
    FileBeside& operator=(const FileBeside&) = delete;

private:
    std::filesystem::path m_copy;
    std::error_code m_error;
    bool m_made = false;
};
