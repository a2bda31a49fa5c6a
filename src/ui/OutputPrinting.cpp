// The print commands of OutputCommands: the graph, the log and the page setup. Where no
// printer is installed, a printout goes into a PDF file instead.
#include <QBuffer>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

#include "qt/GraphSurfaces.h"
#include "qt/PictureWrite.h"
#include "ui/AppState.h"
#include "ui/OutputCommands.h"
#include "ui/PrintOutput.h"
#include "ui/Questions.h"

namespace lindor::ui {
namespace {

// The resolution pictures are drawn for when there is no screen to ask.
constexpr double kScreenDpi = 96;

} // namespace

double OutputCommands::screenDpi() const {
    return m_mainWindow ? m_mainWindow->logicalDpiX() : kScreenDpi;
}

void OutputCommands::Print1Click() {
    print([this](QPagedPaintDevice& device) {
        return printPicture(device, m_picture().image(), screenDpi());
    });
}

void OutputCommands::PrintLog1Click() {
    const QStringList lines = m_logLines ? m_logLines() : QStringList();
    print([&lines](QPagedPaintDevice& device) { return printLines(device, lines); });
}

QPrinter& OutputCommands::printer() {
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void OutputCommands::PrintSetup1Click() {
    m_questions.setUpPage(printer(), dialogCaption("PrintSetup"));
}

void OutputCommands::print(const std::function<bool(QPagedPaintDevice&)>& print) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) {
        if (!print(printer()) || printer().printerState() == QPrinter::Error)
            m_questions.error(text("CannotPrint"));
        return;
    }

    // No printer: the same pages as a PDF document, made in memory and written through
    // the program's one file writer.
    const QString name = askFileName(text("NoPrinterSaveAsPdf"), m_printoutDialog);
    if (name.isEmpty())
        return;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    bool printed = buffer.open(QIODevice::WriteOnly);
    if (printed) {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Lindor"));
        writer.setPageLayout(printer().pageLayout());
        printed = print(writer);
    }
    std::string error;
    if (!printed)
        error = qtgui::pictureWriteError(name.toStdString(), "the PDF document could not be made",
                                         &m_state.language);
    else if (qtgui::writePictureFile(name.toStdString(), bytes, error, &m_state.language))
        return;
    m_questions.error(QString::fromStdString(error));
}

} // namespace lindor::ui
