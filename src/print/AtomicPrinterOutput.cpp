#include "AtomicPrinterOutput.h"

#include "FileIO.h"
#include "ReelkeepError.h"

#include <QDir>
#include <QPrinter>
#include <QTemporaryFile>

namespace reelkeep {

AtomicPrinterOutput::AtomicPrinterOutput(QPrinter& printer) : m_printer(printer), m_target(printer.outputFileName())
{
    if (m_target.isEmpty())
        return;
    // Opened first, so a folder that cannot be written fails before any page is drawn.
    m_file = std::make_unique<AtomicFile>(m_target);
    m_pages = std::make_unique<QTemporaryFile>(QDir::temp().filePath(QStringLiteral("reelkeep-XXXXXX.pdf")));
    if (!m_pages->open())
        throw FileError(Message("NoTemporaryFile").arg(m_target).arg(Message::Verbatim(m_pages->errorString())));
    m_pages->close();
    m_printer.setOutputFileName(m_pages->fileName());
}

AtomicPrinterOutput::~AtomicPrinterOutput()
{
    if (m_file)
        m_printer.setOutputFileName(m_target);
}

void AtomicPrinterOutput::commit()
{
    if (m_printer.printerState() == QPrinter::Error || m_printer.printerState() == QPrinter::Aborted)
        throw FileError(m_file ? Message("PrintCannotWriteFile").arg(m_target) : Message("PrinterRefusedJob").arg(m_printer.printerName()));
    if (!m_file)
        return;
    m_file->write(ReadWholeFile(m_pages->fileName()));
    m_file->commit();
}

} // namespace reelkeep
