#include "platform/ui/CPrintDialog.h"

#include "platform/ui/CDC.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ModalScope.h"
#include "platform/ui/PrinterDevice.h"

#include <QPrintDialog>

#include <mutex>

namespace {

std::mutex g_hookLock;
PrintDialogHook g_hook;

// The one function behind every print dialog: the hook's answer, or the
// user's at the real dialog. `printer` is set when a printer with a device
// context was chosen.
int ShowPrintDialog(DWORD flags, QWidget* owner, std::shared_ptr<gdi_detail::PrinterDevice>& printer)
{
    printer.reset();
    PrintDialogHook hook;
    {
        std::lock_guard lock(g_hookLock);
        hook = g_hook;
    }
    if (hook) {
        const PrintDialogAnswer answer = hook(PrintDialogCall{flags});
        if (answer.result != IDOK)
            return IDCANCEL;
        if (!answer.pdfFile.empty())
            printer = gdi_detail::PrinterDevice::Pdf(answer.pdfFile);
        return IDOK;
    }
    auto chosen = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(chosen.get(), owner);
    // PD_HIDEPRINTTOFILE hides the choice to send a printer's output into a
    // file; Qt's print-to-file choice is a printer of its own (PDF), which
    // stays offered: it may be the only printer there is.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, (flags & PD_NOSELECTION) == 0);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, (flags & PD_NOPAGENUMS) == 0);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    ModalScope::KeepAbove(&dialog, owner);
    int accepted = QDialog::Rejected;
    {
        // The module's other windows take no input while it is open.
        const ModalScope scope(&dialog);
        accepted = dialog.exec();
    }
    if (accepted != QDialog::Accepted)
        return IDCANCEL;
    if (chosen->isValid())
        printer = std::make_shared<gdi_detail::PrinterDevice>(std::move(chosen));
    return IDOK;
}

} // namespace

void SetPrintDialogHook(PrintDialogHook hook)
{
    std::lock_guard lock(g_hookLock);
    g_hook = std::move(hook);
}

CPrintDialog::CPrintDialog(BOOL, DWORD dwFlags, CWnd* pParentWnd) : m_flags(dwFlags), m_pParentWnd(pParentWnd) {}

CPrintDialog::~CPrintDialog() = default;

INT_PTR CPrintDialog::DoModal()
{
    QWidget* owner = m_pParentWnd ? m_pParentWnd->GetWidget() : nullptr;
    if (!owner)
        owner = ModalScope::ActiveWindow();
    return ShowPrintDialog(m_flags, owner, m_printer);
}

BOOL CPrintDialog::CreatePrinterDC(CDC& dc)
{
    if (!m_printer)
        return FALSE;
    dc.AttachPrinter(m_printer);
    return TRUE;
}
