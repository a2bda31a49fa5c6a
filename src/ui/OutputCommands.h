// The commands that take the graph out of the program: copies to the clipboard (vector
// picture and bitmap, or bitmap only) with the clipboard notice, saves as BMP, GIF, PNG,
// SVG and PDF, printing the graph and the log, and the page setup. Each command is a
// QAction named after its menu entry; the frame puts them into its File and Edit menus.
#pragma once

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>

#include "ui/Guarded.h"

class QAction;
class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace lindor::qtgui {
class GraphSurfaces;
}

namespace lindor::ui {

class AppState;
class Questions;
class TProgressForm;

class OutputCommands : public QObject {
    Q_OBJECT

public:
    // `picture` gives the graph's surfaces at the window's size (the bitmap and recording
    // that pictures and printouts are made of); `logLines` gives the log window's lines in
    // order; `progress` shows GIF saves;
    // `mainWindow` (may be null) parents the dialogs. The creator owns this object; the
    // actions are its children and leave the menus when it is destroyed.
    OutputCommands(AppState& state, Questions& questions, QWidget* mainWindow,
                   std::function<qtgui::GraphSurfaces&()> picture,
                   std::function<QStringList()> logLines, TProgressForm& progress);
    ~OutputCommands() override;

    // Sets the captions of the actions from the translation table.
    void applyLanguage();

    // In menu order.
    QList<QAction*> editMenuActions() const;
    QList<QAction*> fileMenuActions() const;

    // The printer chosen in the printer setup, used by both print commands. Made on first
    // use: the printing system is loaded only when the user prints.
    QPrinter& printer();

    void CopyGraphAsWMFPicture1Click();
    void CopyGraphAsBMPPicture1Click();
    void SaveAsBMPPicture1Click();
    void SaveAsGIFPicture1Click();
    void SaveAsPNGPicture1Click();
    void SaveAsSVGPicture1Click();
    void SaveAsPDFPicture1Click();
    void Print1Click();
    void PrintLog1Click();
    void PrintSetup1Click();

private:
    enum class Format { Bmp, Gif, Png, Svg, Pdf };
    // A save dialog: its file type and the extension its files get.
    struct SaveDialog {
        const char* typeKey;
        const char* extension;
    };

    QAction* addAction(const char* name, void (OutputCommands::*handler)());
    // Runs a command through the guard, unless another one is still running.
    void guarded(const std::function<void()>& command);
    // The notice after a copy, unless the user has turned it off.
    void clipboardNotice();
    void saveAs(Format format);
    bool writePicture(Format format, const QString& path, QString& error);
    // The dialog (at the document's name in the folder last used), the extension rule and
    // the overwrite question; empty when the user gives up.
    QString askFileName(const QString& caption, const SaveDialog& dialog);
    // Prints with `print` on the chosen printer, or into a PDF file when no printer is
    // installed.
    void print(const std::function<bool(QPagedPaintDevice&)>& print);
    double screenDpi() const;
    QString text(const char* key) const;
    // A menu entry's caption as the caption of the dialog it opens.
    QString dialogCaption(const char* menuKey) const;

    AppState& m_state;
    Questions& m_questions;
    QWidget* m_mainWindow;
    std::function<qtgui::GraphSurfaces&()> m_picture;
    std::function<QStringList()> m_logLines;
    TProgressForm& m_progress;
    CommandGuard m_guard;
    std::unique_ptr<QPrinter> m_printer;
    SaveDialog m_dialogs[5]; // by Format
    SaveDialog m_printoutDialog;
    bool m_busy = false;

    QAction* m_copyGraphAsWMFPicture1;
    QAction* m_copyGraphAsBMPPicture1;
    QAction* m_saveAsBMPPicture1;
    QAction* m_saveAsGIFPicture1;
    QAction* m_saveAsPNGPicture1;
    QAction* m_saveAsSVGPicture1;
    QAction* m_saveAsPDFPicture1;
    QAction* m_print1;
    QAction* m_printLog1;
    QAction* m_printSetup1;
};

} // namespace lindor::ui
