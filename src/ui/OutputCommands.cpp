#include "ui/OutputCommands.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPrinter>
#include <QWidget>
#include <exception>
#include <string>

#include "files/PictureNames.h"
#include "qt/GifImage.h"
#include "qt/GraphSurfaces.h"
#include "qt/PdfOutput.h"
#include "qt/PictureFiles.h"
#include "qt/SvgOutput.h"
#include "ui/AppState.h"
#include "ui/ClipboardNotice.h"
#include "ui/FilePlaces.h"
#include "ui/GifSave.h"
#include "ui/PrintOutput.h"
#include "ui/Questions.h"

namespace lindor::ui {
namespace {

QString withName(QString text, const QString& name) {
    return text.replace(QStringLiteral("%s"), name);
}

} // namespace

OutputCommands::OutputCommands(AppState& state, Questions& questions, QWidget* mainWindow,
                               std::function<qtgui::GraphSurfaces&()> picture,
                               std::function<QStringList()> logLines, TProgressForm& progress)
    : m_state(state), m_questions(questions), m_mainWindow(mainWindow),
      m_picture(std::move(picture)), m_logLines(std::move(logLines)), m_progress(progress),

      m_guard(questions, state.language), m_dialogs{{"BitmapFile", ".bmp"},
                                                    {"GifFile", ".gif"},
                                                    {"PngFile", ".png"},
                                                    {"SvgFile", ".svg"},
                                                    {"PdfFile", ".pdf"}},
      m_printoutDialog{"PdfFile", ".pdf"} {
    m_copyGraphAsWMFPicture1 =
        addAction("CopyGraphAsWMFPicture1", &OutputCommands::CopyGraphAsWMFPicture1Click);
    m_copyGraphAsWMFPicture1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    m_copyGraphAsBMPPicture1 =
        addAction("CopyGraphAsBMPPicture1", &OutputCommands::CopyGraphAsBMPPicture1Click);
    m_saveAsBMPPicture1 = addAction("SaveAsBMPPicture1", &OutputCommands::SaveAsBMPPicture1Click);
    m_saveAsGIFPicture1 = addAction("SaveAsGIFPicture1", &OutputCommands::SaveAsGIFPicture1Click);
    m_saveAsPNGPicture1 = addAction("SaveAsPNGPicture1", &OutputCommands::SaveAsPNGPicture1Click);
    m_saveAsSVGPicture1 = addAction("SaveAsSVGPicture1", &OutputCommands::SaveAsSVGPicture1Click);
    m_saveAsPDFPicture1 = addAction("SaveAsPDFPicture1", &OutputCommands::SaveAsPDFPicture1Click);
    m_print1 = addAction("Print1", &OutputCommands::Print1Click);
    m_printLog1 = addAction("PrintLog1", &OutputCommands::PrintLog1Click);
    m_printSetup1 = addAction("PrintSetup1", &OutputCommands::PrintSetup1Click);
    applyLanguage();
}

OutputCommands::~OutputCommands() = default;

QAction* OutputCommands::addAction(const char* name, void (OutputCommands::*handler)()) {
    auto* action = new QAction(this);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this,
            [this, handler] { guarded([&] { (this->*handler)(); }); });
    return action;
}

QString OutputCommands::text(const char* key) const {
    return QString::fromStdString(m_state.language.text(key));
}

QString OutputCommands::dialogCaption(const char* menuKey) const {
    // Without the "&" of the shortcut letter and the "..." that says a dialog follows.
    QString caption = text(menuKey);
    caption.remove(QLatin1Char('&'));
    if (caption.endsWith(QStringLiteral("...")))
        caption.chop(3);
    return caption.trimmed();
}

void OutputCommands::applyLanguage() {
    m_copyGraphAsWMFPicture1->setText(text("CopyGraphAsWMFPicture"));
    m_copyGraphAsBMPPicture1->setText(text("CopyGraphAsBMPPicture"));
    m_saveAsBMPPicture1->setText(text("SaveAsBMPPicture"));
    m_saveAsGIFPicture1->setText(text("SaveAsGIFPicture"));
    m_saveAsPNGPicture1->setText(text("SaveAsPNGPicture"));
    m_saveAsSVGPicture1->setText(text("SaveAsSVGPicture"));
    m_saveAsPDFPicture1->setText(text("SaveAsPDFPicture"));
    m_print1->setText(text("PrintGraph"));
    m_printLog1->setText(text("PrintLog"));
    m_printSetup1->setText(text("PrintSetup"));
}

QList<QAction*> OutputCommands::editMenuActions() const {
    return {m_copyGraphAsWMFPicture1, m_copyGraphAsBMPPicture1};
}

QList<QAction*> OutputCommands::fileMenuActions() const {
    return {m_saveAsBMPPicture1, m_saveAsGIFPicture1, m_saveAsPNGPicture1,
            m_saveAsSVGPicture1, m_saveAsPDFPicture1, m_print1,
            m_printLog1,         m_printSetup1};
}

void OutputCommands::guarded(const std::function<void()>& command) {
    // A save lets pending events run; a command started from one of them waits its turn.
    if (m_busy)
        return;
    struct Busy {
        bool& flag;
        explicit Busy(bool& f) : flag(f) { flag = true; }
        ~Busy() { flag = false; }
    } busy(m_busy);
    m_guard.run(command);
}

// Copies ---------------------------------------------------------------------------------

void OutputCommands::CopyGraphAsWMFPicture1Click() {
    // The vector picture and the bitmap in one clipboard entry, so that a program takes
    // the best it understands. The recording always holds the whole current picture.
    auto* data = new QMimeData;
    qtgui::GraphSurfaces& picture = m_picture();
    data->setData(QStringLiteral("image/svg+xml"), qtgui::svgFromRecording(picture.recording()));
    data->setImageData(picture.image().copy());
    QGuiApplication::clipboard()->setMimeData(data);
    clipboardNotice();
}

void OutputCommands::CopyGraphAsBMPPicture1Click() {
    QGuiApplication::clipboard()->setImage(m_picture().image().copy());
    clipboardNotice();
}

void OutputCommands::clipboardNotice() {
    if (m_state.settings.neverShow(files::Notice::Clipboard))
        return;
    TCopy2ClipboardMessage notice(m_state.language, m_mainWindow);
    notice.setNeverShow(false);
    if (m_questions.runDialog(notice) != QDialog::Accepted)
        return;
    // A failed write is not reported: the notice simply comes back on the next copy.
    m_state.settings.setNeverShow(files::Notice::Clipboard, notice.neverShow());
}

// Saves ----------------------------------------------------------------------------------

void OutputCommands::SaveAsBMPPicture1Click() {
    saveAs(Format::Bmp);
}
void OutputCommands::SaveAsGIFPicture1Click() {
    saveAs(Format::Gif);
}
void OutputCommands::SaveAsPNGPicture1Click() {
    saveAs(Format::Png);
}
void OutputCommands::SaveAsSVGPicture1Click() {
    saveAs(Format::Svg);
}
void OutputCommands::SaveAsPDFPicture1Click() {
    saveAs(Format::Pdf);
}

QString OutputCommands::askFileName(const QString& caption, const SaveDialog& dialog) {
    // "Bitmap File (*.bmp *.BMP)": the pattern in both letter cases.
    const QString extension = QString::fromLatin1(dialog.extension + 1);
    const QString filter = text(dialog.typeKey) + QStringLiteral(" (*.") + extension.toLower() +
                           QStringLiteral(" *.") + extension.toUpper() + QLatin1Char(')');
    // The document's name in the folder last used.
    const QString start = proposedFile(m_state, QString::fromLatin1(dialog.extension));
    const QString chosen = m_questions.saveFileName(caption, start, filter);
    if (chosen.isEmpty())
        return {};
    const QString name =
        QString::fromStdString(files::withPictureExtension(chosen.toStdString(), dialog.extension));
    rememberFolder(m_state, name);
    if (QFileInfo::exists(name) && !m_questions.askYesNo(withName(text("FileExistsReplace"), name)))
        return {};
    return name;
}

void OutputCommands::saveAs(Format format) {
    static const char* const captionKeys[] = {"SaveAsBMPPicture", "SaveAsGIFPicture",
                                              "SaveAsPNGPicture", "SaveAsSVGPicture",
                                              "SaveAsPDFPicture"};
    const auto index = static_cast<std::size_t>(format);
    const QString name = askFileName(dialogCaption(captionKeys[index]), m_dialogs[index]);
    if (name.isEmpty())
        return;
    QString error;
    if (!writePicture(format, name, error))
        m_questions.error(withName(text("PictureCannotBeSaved"), name) + QStringLiteral("\n\n") +
                          error);
}

bool OutputCommands::writePicture(Format format, const QString& path, QString& error) {
    const std::string file = path.toStdString();
    std::string message;
    bool saved = false;
    switch (format) {
    case Format::Bmp:
    case Format::Png:
        // The bitmap, in the format its extension names.
        saved = qtgui::savePicture(m_picture(), file, message);
        break;
    case Format::Svg:
        saved = qtgui::saveSvg(m_picture().recording(), file, message);
        break;
    case Format::Pdf:
        saved = qtgui::savePdf(m_picture().recording(), file, message, &m_state.language);
        break;
    case Format::Gif:
        return saveGifWithProgress(qtgui::withAtMostColours(m_picture().image(), 256), path,
                                   m_progress, error, m_state.language);
    }
    error = QString::fromStdString(message);
    return saved;
}

} // namespace lindor::ui
