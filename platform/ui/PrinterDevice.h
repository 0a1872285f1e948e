// Inside the window layer only (Qt types): the printer a printer device
// context prints on, in device units (dots of the printer's resolution) from
// the top left corner of the page's printable area. A job runs from StartDoc
// to EndDoc or AbortDoc, page by page between StartPage and EndPage. UI
// thread only.
#pragma once

#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QString>

#include <memory>
#include <string>

namespace gdi_detail {

class PrinterDevice
{
public:
    // Takes over a printer set up by the print dialog (or for a PDF file).
    explicit PrinterDevice(std::unique_ptr<QPrinter> printer);
    ~PrinterDevice();
    PrinterDevice(const PrinterDevice&) = delete;
    PrinterDevice& operator=(const PrinterDevice&) = delete;

    // A printer that writes PDF into `file`.
    static std::shared_ptr<PrinterDevice> Pdf(const std::string& file);

    // Dots per inch.
    int Resolution() const;

    // Starts a job named `name` (into the file `output` when it is not
    // empty); false when the job cannot start (no device, a file that cannot
    // be written) or one runs already.
    bool StartDoc(const std::string& name, const std::string& output);
    bool StartPage();
    bool EndPage();
    // Ends the job; false when none runs.
    bool EndDoc();
    // Ends the job leaving nothing printed (a file it wrote is removed).
    bool AbortDoc();

    // While a page is open: text whose box has its top left corner at `at`,
    // and a line, in the device's default font and the given pen.
    bool Text(const QPoint& at, const QString& text, const QColor& colour);
    bool Line(const QPoint& from, const QPoint& to, const QPen& pen);
    // The text's width and height in the device's default font.
    QSize TextSize(const QString& text) const;

private:
    std::unique_ptr<QPrinter> m_printer;
    QPainter m_painter;
    QString m_file;  // the PDF file of the running job, removed on abort
    int m_pages = 0; // pages started in the running job
    bool m_pageOpen = false;
};

} // namespace gdi_detail
