// The resource scripts: every embedded template parses with unique ids, and
// the parser reads the language the scripts are written in and reports
// mistakes with their place.
#include "platform/ui/ResourceScriptParser.h"
#include "platform/ui/ResourceStore.h"
#include "platform/ui/UiConstants.h"
#include "resources/test.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace ui_test {

namespace {

ResourceScript ParseFiles(const std::map<std::string, std::string>& files, const std::string& script = "main.rc")
{
    ResourceScriptParser parser([&](const std::string& path, std::string& text) {
        auto it = files.find(path);
        if (it == files.end())
            return false;
        text = it->second;
        return true;
    });
    return parser.Parse(script);
}

} // namespace

TEST(ResourceScripts, EveryTemplateParsesWithUniqueControlIds)
{
    const ResourceStore& store = ResourceStore::Instance();
    for (const std::string& error : store.Errors())
        ADD_FAILURE() << error;
    ASSERT_FALSE(store.DialogIds().empty());
    for (UINT id : store.DialogIds()) {
        const DialogTemplate* t = store.FindDialog(id);
        ASSERT_NE(t, nullptr);
        std::set<int> ids;
        for (const auto& c : t->controls) {
            EXPECT_FALSE(c.className.empty()) << t->file << ":" << c.line;
            EXPECT_GT(c.cx, 0) << t->file << ":" << c.line;
            EXPECT_GT(c.cy, 0) << t->file << ":" << c.line;
            if (c.id == IDC_STATIC || c.id == 0xFFFF)
                continue;
            EXPECT_TRUE(ids.insert(c.id).second)
                << "dialog " << id << " uses control id " << c.id << " twice (" << t->file << ":" << c.line << ")";
        }
    }
}

TEST(ResourceScripts, TestTemplateHasWhatTheScriptSays)
{
    const DialogTemplate* t = ResourceStore::Instance().FindDialog(IDD_UI_TEST);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->caption, "Window Layer Test");
    EXPECT_EQ(t->fontFace, "MS Sans Serif");
    EXPECT_EQ(t->fontPointSize, 8);
    EXPECT_EQ(t->cx, 322);
    EXPECT_EQ(t->cy, 230);
    auto find = [&](int id) -> const DialogItemTemplate* {
        for (const auto& c : t->controls) {
            if (c.id == id)
                return &c;
        }
        return nullptr;
    };
    const DialogItemTemplate* mode = find(IDC_TEST_MODE);
    ASSERT_NE(mode, nullptr);
    EXPECT_EQ(mode->className, "ComboBox");
    EXPECT_EQ(mode->style & 0x3, CBS_DROPDOWNLIST);
    EXPECT_EQ(mode->initialItems, (std::vector<std::string>{"LACP", "Static", "Disable"}));
    // A kind given in the script replaces the statement's default kind.
    const DialogItemTemplate* speed = find(IDC_TEST_SPEED);
    ASSERT_NE(speed, nullptr);
    EXPECT_EQ(speed->style & 0x3, CBS_DROPDOWN);
    const DialogItemTemplate* list = find(IDC_TEST_LIST);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->className, "SysListView32");
    EXPECT_EQ(list->style & (LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER),
              LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER);
    const DialogItemTemplate* refresh = find(IDC_TEST_REFRESH);
    ASSERT_NE(refresh, nullptr);
    EXPECT_EQ(refresh->style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(refresh->text, "&Refresh");
    // NOT takes a default style away.
    const DialogItemTemplate* note = find(IDC_TEST_NOTE);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->style & WS_GROUP, 0U);
    std::string greeting;
    EXPECT_TRUE(LoadStringResource(IDS_UI_TEST_GREETING, greeting));
    EXPECT_EQ(greeting, "Hello from the string table");
    const MenuTemplate* menu = ResourceStore::Instance().FindMenu(IDR_UI_TEST_MENU);
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->items.size(), 2U);
    EXPECT_TRUE(menu->items[0].popup);
    ASSERT_EQ(menu->items[0].items.size(), 3U);
    EXPECT_TRUE(menu->items[0].items[1].separator);
    EXPECT_TRUE(menu->items[0].items[2].grayed);
    EXPECT_EQ(menu->items[1].id, static_cast<UINT>(ID_UI_TEST_ABOUT));
}

TEST(ResourceScripts, ParserReadsDefinesIncludesStylesAndStrings)
{
    const ResourceScript script = ParseFiles({
        {"ids.h", "#pragma once\n#define IDD_ONE 100 // the dialog\n#define IDC_BASE 1000\n"
                  "#define IDC_EDIT (IDC_BASE + 2)\n/* a comment\n   over lines */\n#define IDS_TWICE IDC_EDIT\n"},
        {"sub/icons.rc", ""},
        {"main.rc", "#include \"ids.h\"\n#ifdef NOT_DEFINED\nthis is skipped\n#else\n#define IDC_CHECK 1001\n#endif\n"
                    "#if 0\nskipped too\n#endif\n"
                    "IDD_ONE DIALOGEX 0, 0, 200, 100\n"
                    "STYLE DS_SETFONT | WS_POPUP | WS_CAPTION | WS_THICKFRAME\nEXSTYLE WS_EX_TOPMOST\n"
                    "CAPTION \"Say \"\"hi\"\"\\tnow\"\nFONT 10, \"Arial\", 700, 1, 0\n"
                    "BEGIN\n"
                    "  EDITTEXT IDC_EDIT, 5, 6, 70, 12, ES_NUMBER | NOT WS_TABSTOP | NOT WS_BORDER, WS_EX_CLIENTEDGE\n"
                    "  CONTROL \"On\", IDC_CHECK, \"Button\", BS_AUTOCHECKBOX | WS_TABSTOP, 5, 20, 50, 10\n"
                    "  CONTROL \"\", 1003, \"msctls_progress32\", 0x1, 5, 32, 50, 8\n"
                    "  LISTBOX 1004, 5, 44, 60, 40, LBS_SORT | WS_VSCROLL\n"
                    "END\n"
                    "IDD_ONE DLGINIT\nBEGIN\n  1004, 0x401, 4, 0, 0x6e6f, \"e\\000\"\n  0\nEND\n"
                    "STRINGTABLE\nBEGIN\n  IDS_TWICE, \"two\"\n  7 \"seven\"\nEND\n"
                    "5 BITMAP DISCARDABLE \"sub/../pic.bmp\"\n"},
    });
    ASSERT_TRUE(script.errors.empty()) << script.errors.front();
    ASSERT_EQ(script.dialogs.size(), 1U);
    const DialogTemplate& d = script.dialogs[0];
    EXPECT_EQ(d.id, 100U);
    EXPECT_EQ(d.caption, "Say \"hi\"\tnow");
    EXPECT_EQ(d.fontFace, "Arial");
    EXPECT_EQ(d.fontPointSize, 10);
    EXPECT_EQ(d.fontWeight, 700);
    EXPECT_TRUE(d.fontItalic);
    EXPECT_EQ(d.style, DS_SETFONT | WS_POPUP | WS_CAPTION | WS_THICKFRAME);
    EXPECT_EQ(d.exStyle, WS_EX_TOPMOST);
    ASSERT_EQ(d.controls.size(), 4U);
    EXPECT_EQ(d.controls[0].id, 1002);
    EXPECT_EQ(d.controls[0].className, "Edit");
    EXPECT_EQ(d.controls[0].style, WS_CHILD | WS_VISIBLE | ES_NUMBER);
    EXPECT_EQ(d.controls[0].exStyle, WS_EX_CLIENTEDGE);
    EXPECT_EQ(d.controls[0].x, 5);
    EXPECT_EQ(d.controls[0].cy, 12);
    EXPECT_EQ(d.controls[1].id, 1001);
    EXPECT_EQ(d.controls[1].style, WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX | WS_TABSTOP);
    EXPECT_EQ(d.controls[2].className, "msctls_progress32");
    EXPECT_EQ(d.controls[3].style, WS_CHILD | WS_VISIBLE | LBS_NOTIFY | WS_BORDER | LBS_SORT | WS_VSCROLL);
    EXPECT_EQ(d.controls[3].initialItems, std::vector<std::string>{"one"});
    EXPECT_EQ(script.strings.at(1002), "two");
    EXPECT_EQ(script.strings.at(7), "seven");
    ASSERT_EQ(script.files.size(), 1U);
    EXPECT_EQ(script.files[0].path, "pic.bmp");
    EXPECT_EQ(script.files[0].type, ResourceFileType::Bitmap);
}

TEST(ResourceScripts, ParserReportsMistakesWithTheirPlace)
{
    struct Case
    {
        const char* script;
        const char* error;
    };
    const Case cases[] = {
        {"1 DIALOGEX 0, 0, 10, 10\nBEGIN\n  LTEXT \"a\", UNKNOWN_ID, 0, 0, 5, 5\nEND\n",
         "main.rc:3: unknown name UNKNOWN_ID"},
        {"1 DIALOGEX 0, 0, 10, 10\nBEGIN\n  SLIDER \"a\", 1, 0, 0, 5, 5\nEND\n",
         "main.rc:3: unsupported control statement SLIDER"},
        {"1 DIALOGEX 0, 0, 10, 10\nBEGIN\n  CONTROL \"\", 1, \"SysTreeView32\", 0, 0, 0, 5, 5\nEND\n",
         "main.rc:3: unsupported control class \"SysTreeView32\""},
        {"1 DIALOGEX 0, 0, 10, 10\nCAPTION \"open\nBEGIN\nEND\n", "main.rc:2: string not closed"},
        {"#include \"missing.h\"\n", "main.rc:1: cannot find include file missing.h"},
        {"#ifdef X\n1 ICON \"a.ico\"\n", "main.rc:1: #if without #endif"},
        {"#define F(x) x\n", "main.rc:1: macros with arguments are not supported: F"},
        {"1 DIALOGEX 0, 0, 10, 10\nBEGIN\n  LTEXT \"a\", 2, 0, 0, 5, 5\nEND\n1 DLGINIT\nBEGIN\n"
         "  2, 0x403, 2, 0, \"a\\000\"\n  0\nEND\n",
         "main.rc:7: DLGINIT names no combo or list box 2 of dialog 1"},
        {"1 DIALOGEX 0, 0, 10, 10\nBEGIN\n  LTEXT \"a\" 2, 0, 0, 5, 5\nEND\n", "main.rc:3: expected ','"},
        {"70000 ICON \"a.ico\"\n", "main.rc:1: resource id out of range: 70000"},
        {"1 ACCELERATORS\nBEGIN\nEND\n", "main.rc:1: unsupported resource type ACCELERATORS"},
        {"1 DIALOGEX 0, 0, 10, 10\nBEGIN\n  LTEXT \"a\", 2, 0, 0, 5, 5\n", "main.rc:3: dialog without END"},
    };
    for (const Case& c : cases) {
        const ResourceScript script = ParseFiles({{"main.rc", c.script}});
        ASSERT_FALSE(script.errors.empty()) << c.script;
        EXPECT_EQ(script.errors.front(), c.error) << c.script;
    }
}

} // namespace ui_test
