// Bitmap file names by state index (a port's five statuses, a lamp's four
// states, an LED's ten). A name is absent until set; an index outside the
// table is ignored.
#pragma once

#include <optional>
#include <string>
#include <vector>

class BitmapNameTable
{
public:
    explicit BitmapNameTable(int count) : m_names(static_cast<std::size_t>(count)) {}

    // Stores a copy of name; null makes it absent.
    void Set(int index, const char* name)
    {
        if (index < 0 || index >= Count())
            return;
        if (name == nullptr)
            m_names[static_cast<std::size_t>(index)].reset();
        else
            m_names[static_cast<std::size_t>(index)] = name;
    }
    // The name, or null when it is absent or index lies outside the table.
    const char* Get(int index) const
    {
        if (index < 0 || index >= Count() || !m_names[static_cast<std::size_t>(index)])
            return nullptr;
        return m_names[static_cast<std::size_t>(index)]->c_str();
    }
    int Count() const { return static_cast<int>(m_names.size()); }

private:
    std::vector<std::optional<std::string>> m_names;
};
