// A folder of the tool's own under the system's temporary folder, holding
// copies of the files the module looks for in its current folder (a model's
// User.ini, panel description and bitmaps; the device configuration
// description), and the current folder for the life of the object. It goes
// again, with whatever was written into it, at the end. The tool reads the
// source tree and never writes into it: a run that is ended from outside
// leaves at most this folder behind, never a file in the checkout.
#pragma once

#include "tools/korvel-shots/InFolder.h"

#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

class ScratchFolder
{
public:
    // Copies the files directly in each of `folders` (not their subfolders)
    // and each of `files` into a new folder, and enters it.
    ScratchFolder(const std::vector<std::filesystem::path>& folders, const std::vector<std::filesystem::path>& files)
    {
        std::error_code error;
        std::string name = (std::filesystem::temp_directory_path(error) / "korvel-shots-XXXXXX").string();
        if (error || mkdtemp(name.data()) == nullptr)
            return;
        m_path = name;
        std::vector<std::filesystem::path> sources = files;
        for (const std::filesystem::path& folder : folders) {
            for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
                if (entry.is_regular_file(error))
                    sources.push_back(entry.path());
            }
            if (error)
                return;
        }
        for (const std::filesystem::path& source : sources) {
            if (!std::filesystem::copy_file(source, m_path / source.filename(),
                                            std::filesystem::copy_options::overwrite_existing, error))
                return;
        }
        m_folder = std::make_unique<InFolder>(m_path.string());
    }
    ~ScratchFolder()
    {
        m_folder.reset();
        std::error_code ignored;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Whether every file was copied and the folder is the current one.
    bool Entered() const { return m_folder != nullptr && m_folder->Entered(); }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
    std::unique_ptr<InFolder> m_folder;
};
