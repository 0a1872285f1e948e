#include "platform/ui/PrinterDevice.h"

#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>

namespace gdi_detail {

PrinterDevice::PrinterDevice(std::unique_ptr<QPrinter> printer) : m_printer(std::move(printer)) {}

PrinterDevice::~PrinterDevice()
{
    if (m_painter.isActive())
        AbortDoc();
}

std::shared_ptr<PrinterDevice> PrinterDevice::Pdf(const std::string& file)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(file));
    return std::make_shared<PrinterDevice>(std::move(printer));
}

int PrinterDevice::Resolution() const
{
    return m_printer ? m_printer->resolution() : 0;
}

bool PrinterDevice::StartDoc(const std::string& name, const std::string& output)
{
    if (!m_printer || m_painter.isActive() || Resolution() <= 0)
        return false;
    m_printer->setDocName(QString::fromStdString(name));
    if (!output.empty())
        m_printer->setOutputFileName(QString::fromStdString(output));
    // The painter starts the job and its first page.
    if (!m_painter.begin(m_printer.get()))
        return false;
    m_file = m_printer->outputFormat() == QPrinter::PdfFormat ? m_printer->outputFileName() : QString();
    m_painter.setFont(QGuiApplication::font());
    m_pages = 0;
    m_pageOpen = false;
    return true;
}

bool PrinterDevice::StartPage()
{
    if (!m_painter.isActive() || m_pageOpen)
        return false;
    if (m_pages > 0 && !m_printer->newPage())
        return false;
    ++m_pages;
    m_pageOpen = true;
    return true;
}

bool PrinterDevice::EndPage()
{
    if (!m_painter.isActive() || !m_pageOpen)
        return false;
    m_pageOpen = false;
    return true;
}

bool PrinterDevice::EndDoc()
{
    if (!m_painter.isActive())
        return false;
    m_pageOpen = false;
    return m_painter.end();
}

bool PrinterDevice::AbortDoc()
{
    if (!m_painter.isActive())
        return false;
    m_pageOpen = false;
    m_printer->abort();
    if (m_painter.isActive())
        m_painter.end();
    if (!m_file.isEmpty())
        QFile::remove(m_file);
    return true;
}

bool PrinterDevice::Text(const QPoint& at, const QString& text, const QColor& colour)
{
    if (!m_pageOpen)
        return false;
    m_painter.setPen(colour);
    m_painter.drawText(QPoint(at.x(), at.y() + QFontMetrics(m_painter.font(), m_printer.get()).ascent()), text);
    return true;
}

bool PrinterDevice::Line(const QPoint& from, const QPoint& to, const QPen& pen)
{
    if (!m_pageOpen)
        return false;
    m_painter.setPen(pen);
    m_painter.drawLine(from, to);
    return true;
}

QSize PrinterDevice::TextSize(const QString& text) const
{
    if (!m_printer)
        return QSize();
    const QFontMetrics metrics(m_painter.isActive() ? m_painter.font() : QGuiApplication::font(), m_printer.get());
    return QSize(metrics.horizontalAdvance(text), metrics.height());
}

} // namespace gdi_detail
