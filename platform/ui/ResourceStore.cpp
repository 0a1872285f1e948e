#include "platform/ui/ResourceStore.h"

#include "platform/ui/CBitmap.h"
#include "platform/ui/ResourceScriptParser.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <mutex>
#include <set>

// The embedded files come from the generated resource source of resources/Embed.cmake.
static void InitEmbeddedResources()
{
    Q_INIT_RESOURCE(korvel_resources);
}

namespace {

const char* const kRoot = ":/korvel/resources/";

std::string Describe(ResourceFileType type)
{
    switch (type) {
    case ResourceFileType::Icon:
        return "icon";
    case ResourceFileType::Bitmap:
        return "bitmap";
    case ResourceFileType::Cursor:
        return "cursor";
    }
    return "file";
}

} // namespace

bool ResourceStore::ReadEmbedded(const std::string& path, std::string& text)
{
    static std::once_flag once;
    std::call_once(once, InitEmbeddedResources);
    QFile file(QString::fromUtf8(kRoot) + QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    text.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return true;
}

const ResourceStore& ResourceStore::Instance()
{
    static const ResourceStore store;
    return store;
}

ResourceStore::ResourceStore()
{
    std::string ignored;
    ReadEmbedded("", ignored); // registers the embedded files
    const QStringList names = QDir(QString::fromUtf8(kRoot)).entryList({"*.rc"}, QDir::Files, QDir::Name);
    ResourceScriptParser parser(&ResourceStore::ReadEmbedded);
    std::set<UINT> dialogIds;
    std::set<UINT> menuIds;
    std::set<std::pair<int, UINT>> fileIds;
    for (const QString& name : names) {
        const std::string path = name.toStdString();
        m_scripts.push_back(path);
        ResourceScript script = parser.Parse(path);
        m_errors.insert(m_errors.end(), script.errors.begin(), script.errors.end());
        // A resource id may be defined once over all scripts.
        auto keep = [this](auto& from, auto& into, std::set<UINT>& ids, const char* kind) {
            for (auto& r : from) {
                if (ids.insert(r.id).second)
                    into.push_back(std::move(r));
                else
                    m_errors.push_back(r.file + ":" + std::to_string(r.line) + ": " + kind + " " +
                                       std::to_string(r.id) + " defined twice");
            }
        };
        keep(script.dialogs, m_dialogs, dialogIds, "dialog");
        keep(script.menus, m_menus, menuIds, "menu");
        for (auto& [id, text] : script.strings) {
            if (std::any_of(m_strings.begin(), m_strings.end(), [id = id](const auto& s) { return s.first == id; }))
                m_errors.push_back(path + ": string " + std::to_string(id) + " defined twice");
            else
                m_strings.emplace_back(id, text);
        }
        for (auto& f : script.files) {
            std::string bytes;
            if (!fileIds.insert({static_cast<int>(f.type), f.id}).second)
                m_errors.push_back(f.file + ":" + std::to_string(f.line) + ": " + Describe(f.type) + " " +
                                   std::to_string(f.id) + " defined twice");
            else if (!ReadEmbedded(f.path, bytes))
                m_errors.push_back(f.file + ":" + std::to_string(f.line) + ": " + Describe(f.type) + " file " + f.path +
                                   " is missing");
            else
                m_files.push_back(f);
        }
    }
    std::sort(m_dialogs.begin(), m_dialogs.end(), [](const auto& a, const auto& b) { return a.id < b.id; });
}

const DialogTemplate* ResourceStore::FindDialog(UINT id) const
{
    for (const auto& d : m_dialogs) {
        if (d.id == id)
            return &d;
    }
    return nullptr;
}

const MenuTemplate* ResourceStore::FindMenu(UINT id) const
{
    for (const auto& m : m_menus) {
        if (m.id == id)
            return &m;
    }
    return nullptr;
}

bool ResourceStore::FindString(UINT id, std::string& text) const
{
    for (const auto& [key, value] : m_strings) {
        if (key == id) {
            text = value;
            return true;
        }
    }
    return false;
}

bool ResourceStore::LoadFile(ResourceFileType type, UINT id, std::vector<unsigned char>& bytes) const
{
    for (const auto& f : m_files) {
        if (f.type == type && f.id == id) {
            std::string data;
            if (!ReadEmbedded(f.path, data))
                return false;
            bytes.assign(data.begin(), data.end());
            return true;
        }
    }
    return false;
}

std::string ResourceStore::FilePath(ResourceFileType type, UINT id) const
{
    for (const auto& f : m_files) {
        if (f.type == type && f.id == id)
            return kRoot + f.path;
    }
    return {};
}

void ResourceStore::ProvideBitmaps()
{
    static std::once_flag once;
    std::call_once(once, [] {
        CBitmap::SetResourceFinder(
            [](UINT id) { return ResourceStore::Instance().FilePath(ResourceFileType::Bitmap, id); });
    });
}

std::vector<UINT> ResourceStore::DialogIds() const
{
    std::vector<UINT> ids;
    for (const auto& d : m_dialogs)
        ids.push_back(d.id);
    return ids;
}

const std::vector<std::string>& ResourceStore::Scripts() const
{
    return m_scripts;
}

const std::vector<std::string>& ResourceStore::Errors() const
{
    return m_errors;
}

bool LoadStringResource(UINT id, std::string& text)
{
    return ResourceStore::Instance().FindString(id, text);
}
