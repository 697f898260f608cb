// A printout into a file (a PDF) is drawn into a temporary file and put in place
// only when the job ended well, as catalogues are saved: a failed or cancelled
// print leaves no partial file and keeps an older one. A printout to a printer
// passes through untouched.
#pragma once

#include <QString>
#include <memory>

class QPrinter;
class QTemporaryFile;

namespace reelkeep {

class AtomicFile;

class AtomicPrinterOutput {
public:
    // Redirects the printer's output file; throws FileError when the file cannot be made.
    explicit AtomicPrinterOutput(QPrinter& printer);
    ~AtomicPrinterOutput();
    AtomicPrinterOutput(const AtomicPrinterOutput&) = delete;
    AtomicPrinterOutput& operator=(const AtomicPrinterOutput&) = delete;

    // After the job ended: puts the file in place; throws FileError when it cannot or
    // when the printer reports that the job failed.
    void commit();

private:
    QPrinter& m_printer;
    QString m_target;
    std::unique_ptr<AtomicFile> m_file;
    std::unique_ptr<QTemporaryFile> m_pages;
};

} // namespace reelkeep
