// The ARP table viewer on the simulated switch: its rows, address texts and
// type words with the entry count, nothing read over SNMPv3, its printout to
// a PDF printer (pages of 35 rows, the heading and page numbers), the
// printer's failures and a cancelled print dialog, and closing during a slow
// read.
#include "legacy/CArpTable.h"
#include "legacy_frame/LegacyTestSupport.h"
#include "platform/ui/CPrintDialog.h"
#include "resources/legacy.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>

namespace arp_table_test {

using namespace legacytest;

namespace {

const std::string kArpColumn = "1.3.6.1.2.1.4.22.1.";
constexpr DWORD kDefaultPrintOptions =
    PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_NOSELECTION;

// What a command prints on its standard output.
std::string Output(const std::string& command)
{
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text.append(buffer, n);
        pclose(pipe);
    }
    return text;
}

int PdfPages(const std::string& file)
{
    const std::string info = Output("pdfinfo '" + file + "' 2>/dev/null");
    const std::size_t at = info.find("Pages:");
    return at == std::string::npos ? 0 : std::atoi(info.c_str() + at + 6);
}

std::string PdfPageText(const std::string& file, int page)
{
    const std::string p = std::to_string(page);
    return Output("pdftotext -layout -f " + p + " -l " + p + " '" + file + "' - 2>/dev/null");
}

std::string WithoutBlanks(std::string text)
{
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    return text;
}

// Lines of a page's text that hold a row: its IP address of the tests' data.
int RowLines(const std::string& text)
{
    int rows = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        if (text.substr(start, end - start).find(" 10.0.") != std::string::npos)
            ++rows;
        start = end + 1;
    }
    return rows;
}

// Answers the print dialog in place of the user, and counts its calls.
class PrintAnswer
{
public:
    explicit PrintAnswer(PrintDialogAnswer answer) : m_answer(std::move(answer))
    {
        SetPrintDialogHook([this](const PrintDialogCall& call) {
            m_calls.push_back(call);
            return m_answer;
        });
    }
    ~PrintAnswer() { SetPrintDialogHook({}); }
    const std::vector<PrintDialogCall>& Calls() const { return m_calls; }

private:
    PrintDialogAnswer m_answer;
    std::vector<PrintDialogCall> m_calls;
};

class ArpTableTest : public LegacyTest
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    // The tests' 36 entries, without the rows of the last interfaces so that
    // `rows` (34 to 36) are left.
    void StartArpSwitch(int rows = 36)
    {
        std::vector<std::string> files = {KorvelSimulator::TestData("arp-table.snmprec")};
        if (rows < 36) {
            const std::string fewer = Path("fewer.snmprec");
            std::ofstream out(fewer);
            for (int ifIndex = rows + 1 - 33; ifIndex <= 3; ++ifIndex)
                for (int column = 1; column <= 4; ++column)
                    out << "#@remove " << kArpColumn << column << '.' << ifIndex << '\n';
            files.push_back(fewer);
        }
        StartLegacySwitch(files);
    }
    std::string Path(const std::string& name) const { return QDir(m_dir.path()).filePath(name.c_str()).toStdString(); }
    static void Print(CWnd& d) { d.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ARPT_PRINT, BN_CLICKED), 0); }
    std::size_t WalkStarts() const
    {
        std::size_t starts = 0;
        for (const auto& request : Requests("GETNEXT"))
            if (!request.empty() && request[0].rfind(kArpColumn + "1|", 0) == 0)
                ++starts;
        return starts;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(ArpTableTest, ShowsTheEntriesWithTheirAddressesWordsAndCount)
{
    StartArpSwitch();
    CArpTable dialog;
    RunModal<CArpTable>(dialog, [&](CArpTable& d) {
        ASSERT_TRUE(WaitForWalk(d, IDC_ARPT_LIST, 36));
        EXPECT_EQ(d.GetWindowText(), "ARP Information");
        EXPECT_FALSE(d.GetDlgItem(IDC_ARPT_PRINT)->IsWindowVisible());
        const Rows rows = ListRows(d, IDC_ARPT_LIST);
        ASSERT_EQ(rows.size(), 36u);
        EXPECT_EQ(rows[0], (std::vector<std::string>{"1", "10.0.0.1", "00:1B:2C:3D:4E:5F", "Static"}));
        EXPECT_EQ(rows[1], (std::vector<std::string>{"1", "10.0.0.2", "0A:0B:0C:0D", "Dynamic"}));
        EXPECT_EQ(rows[2], (std::vector<std::string>{"1", "10.0.0.3", "", "Unknown"}));
        EXPECT_EQ(rows[3], (std::vector<std::string>{"1", "10.0.0.4", "02:00:00:00:00:00:04", "Illegal"}));
        EXPECT_EQ(rows[34], (std::vector<std::string>{"2", "10.0.1.35", "02:00:00:00:00:23", "Dynamic"}));
        EXPECT_EQ(rows[35], (std::vector<std::string>{"3", "10.0.2.36", "02:00:00:00:00:24", "Dynamic"}));
        EXPECT_EQ(Text(d, IDC_ARPT_COUNT), "36");
        // Refresh reads the table again, whole.
        ClickButton(d, IDC_ARPT_REFRESH);
        EXPECT_EQ(Text(d, IDC_ARPT_COUNT), "0");
        ASSERT_TRUE(WaitForWalk(d, IDC_ARPT_LIST, 36));
        EXPECT_EQ(ListRows(d, IDC_ARPT_LIST), rows);
    });
    EXPECT_EQ(WalkStarts(), 2u);
}

TEST_F(ArpTableTest, SampleModelsShowTheirSmallTable)
{
    StartLegacySwitch();
    CArpTable dialog;
    RunModal<CArpTable>(dialog, [&](CArpTable& d) {
        ASSERT_TRUE(WaitForWalk(d, IDC_ARPT_LIST, 4));
        const Rows rows = ListRows(d, IDC_ARPT_LIST);
        ASSERT_EQ(rows.size(), 4u);
        EXPECT_EQ(rows[2], (std::vector<std::string>{"1001", "192.168.0.99", "0A:00:00:63", "Static"}));
        EXPECT_EQ(rows[3], (std::vector<std::string>{"1001", "192.168.0.254", "00:11:22:33:66:01", "Static"}));
        EXPECT_EQ(rows[0][3], "Dynamic");
        EXPECT_EQ(Text(d, IDC_ARPT_COUNT), "4");
    });
}

TEST(ArpTableWordsTest, AddressTextsAndTypeWords)
{
    const std::pair<std::string, const char*> addresses[] = {
        {std::string(), ""},
        {std::string("\x00\x1B\x2C\x3D\x4E\x5F", 6), "00:1B:2C:3D:4E:5F"},
        {std::string("\xFF\xA0", 2), "FF:A0"},
        {std::string("\x0A\x0B\x0C\x0D", 4), "0A:0B:0C:0D"},
    };
    for (const auto& [bytes, text] : addresses)
        EXPECT_EQ(CArpTable::PhysAddressText(bytes), text);
    const std::pair<const char*, const char*> types[] = {{"1", "Unknown"}, {"2", "Illegal"}, {"3", "Dynamic"},
                                                         {"4", "Static"},  {"5", "Static"},  {"", "Static"}};
    for (const auto& [value, word] : types)
        EXPECT_EQ(CArpTable::MappingTypeWord(value), word) << value;
}

// Over SNMPv3 the list stays empty and nothing is sent; with an empty list
// Print opens no dialog and prints nothing.
TEST_F(ArpTableTest, ReadsNothingOverSnmpV3AndPrintsNothingEmpty)
{
    StartArpSwitch();
    UseV3(kAuthPriv);
    PrintAnswer answer({IDOK, Path("empty.pdf")});
    BoxRecorder boxes;
    CArpTable dialog;
    RunModal<CArpTable>(dialog, [&](CArpTable& d) {
        PumpFor(300);
        ClickButton(d, IDC_ARPT_REFRESH);
        PumpFor(300);
        EXPECT_EQ(List(d, IDC_ARPT_LIST).GetItemCount(), 0);
        EXPECT_EQ(Text(d, IDC_ARPT_COUNT), "0");
        Print(d);
        EXPECT_EQ(d.GetWindowText(), "ARP Information");
    });
    EXPECT_EQ(RequestCount(), 0u);
    EXPECT_TRUE(answer.Calls().empty());
    EXPECT_TRUE(boxes.Calls().empty());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("empty.pdf"))));
}

// 35 rows a page: 34 and 35 rows fill one page, 36 rows two, the second with
// one row. Every page has the title, the heading and its number.
TEST_F(ArpTableTest, PrintsPagesOf35Rows)
{
    struct Case
    {
        int rows;
        int pages;
        int lastPageRows;
    };
    const Case cases[] = {{34, 1, 34}, {35, 1, 35}, {36, 2, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.rows) + " rows");
        StartArpSwitch(c.rows);
        const std::string pdf = Path("arp-" + std::to_string(c.rows) + ".pdf");
        PrintAnswer answer({IDOK, pdf});
        BoxRecorder boxes;
        CArpTable dialog;
        RunModal<CArpTable>(dialog, [&](CArpTable& d) {
            ASSERT_TRUE(WaitForWalk(d, IDC_ARPT_LIST, c.rows));
            Print(d);
            EXPECT_EQ(d.GetWindowText(), " ARP Information");
            EXPECT_EQ(List(d, IDC_ARPT_LIST).GetItemCount(), c.rows);
        });
        ASSERT_EQ(answer.Calls().size(), 1u);
        EXPECT_EQ(answer.Calls()[0].flags, kDefaultPrintOptions);
        EXPECT_TRUE(boxes.Calls().empty());
        ASSERT_EQ(PdfPages(pdf), c.pages);
        for (int page = 1; page <= c.pages; ++page) {
            SCOPED_TRACE("page " + std::to_string(page));
            const std::string text = PdfPageText(pdf, page);
            EXPECT_NE(text.find("ARP Information"), std::string::npos) << text;
            for (const char* heading : {"接口", "IP地址", "MAC 地址", "类型"})
                EXPECT_NE(text.find(heading), std::string::npos) << heading;
            // The text's tool leaves out the blanks between the characters and the number.
            EXPECT_NE(WithoutBlanks(text).find("第" + std::to_string(page) + "页"), std::string::npos) << text;
            EXPECT_EQ(RowLines(text), page == c.pages ? c.lastPageRows : 35);
        }
        const std::string first = PdfPageText(pdf, 1);
        EXPECT_NE(first.find("00:1B:2C:3D:4E:5F"), std::string::npos);
        EXPECT_NE(first.find("Static"), std::string::npos);
    }
}

// A job that cannot start (its file cannot be written) and a printer without
// a device context show their messages and print nothing; a cancelled dialog
// shows nothing.
TEST_F(ArpTableTest, PrinterFailuresAndCancelPrintNothing)
{
    struct Case
    {
        const char* name;
        PrintDialogAnswer answer;
        const char* message; // empty: none
        const char* caption;
    };
    StartArpSwitch();
    const Case cases[] = {
        {"job cannot start", {IDOK, m_dir.path().toStdString()}, "Printer error!", " ARP Information"},
        {"no printer context", {IDOK, ""}, "Can't get printer info!", "ARP Information"},
        {"cancelled", {IDCANCEL, Path("cancelled.pdf")}, "", "ARP Information"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PrintAnswer answer(c.answer);
        BoxRecorder boxes;
        CArpTable dialog;
        RunModal<CArpTable>(dialog, [&](CArpTable& d) {
            ASSERT_TRUE(WaitForWalk(d, IDC_ARPT_LIST, 36));
            Print(d);
            EXPECT_EQ(d.GetWindowText(), c.caption);
            EXPECT_EQ(List(d, IDC_ARPT_LIST).GetItemCount(), 36);
        });
        EXPECT_EQ(answer.Calls().size(), 1u);
        const auto calls = boxes.Calls();
        if (*c.message) {
            ASSERT_EQ(calls.size(), 1u);
            EXPECT_EQ(calls[0].text, c.message);
            EXPECT_EQ(calls[0].type & MB_TYPEMASK, MB_OK);
        } else {
            EXPECT_TRUE(calls.empty());
        }
    }
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).size(), 0);
}

// Without a hook the real print dialog opens over the viewer; the user's
// Cancel prints nothing.
TEST_F(ArpTableTest, TheUsersCancelAtThePrintDialogPrintsNothing)
{
    StartArpSwitch();
    BoxRecorder boxes;
    bool cancelled = false;
    CArpTable dialog;
    RunModal<CArpTable>(dialog, [&](CArpTable& d) {
        ASSERT_TRUE(WaitForWalk(d, IDC_ARPT_LIST, 36));
        // Looks for the print dialog until it is there (and no longer once Print returned).
        QTimer look;
        QObject::connect(&look, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* box = qobject_cast<QDialog*>(modal); box && modal != d.GetWidget()->window()) {
                look.stop();
                cancelled = true;
                box->reject();
            }
        });
        look.start(20);
        Print(d);
        EXPECT_EQ(d.GetWindowText(), "ARP Information");
    });
    EXPECT_TRUE(cancelled);
    EXPECT_TRUE(boxes.Calls().empty());
}

// Close during a slow walk ends the dialog with IDOK at once; the replies
// that come after it reach nothing.
TEST_F(ArpTableTest, ClosingDuringASlowReadIsClean)
{
    StartArpSwitch();
    ASSERT_TRUE(sim->SetReplyDelay(400));
    {
        CArpTable dialog;
        const INT_PTR result = RunModal<CArpTable>(dialog, [&](CArpTable& d) {
            PumpFor(100);
            EXPECT_TRUE(d.WalkRunning());
            ClickButton(d, IDCANCEL);
        });
        EXPECT_EQ(result, IDOK);
    }
    PumpFor(1000);
    EXPECT_EQ(WalkStarts(), 1u);
}

} // namespace arp_table_test
