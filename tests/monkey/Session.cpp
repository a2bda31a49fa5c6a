#include "Session.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTableWidget>
#include <QToolBar>

#include "ui/AppState.h"
#include "ui/EntryBox.h"
#include "ui/FunctionPad.h"
#include "ui/GraphWindow.h"
#include "ui/LogWindow.h"
#include "ui/MainFrame.h"
#include "ui/Questions.h"
#include "ui/RangeWindow.h"

namespace lindor::monkey {

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// Documents of every sort to open: a good one, damaged ones, odd values, too many entries.
const char kExample[] = "[MainMode]\nMode=F\n[AxisText]\nX=x\nY=y\n[ZoomFactor]\nX=2\nY=2\n"
                        "[Range]\nCells[1,0]=-7\nCells[1,1]=7\nCells[1,2]=1\nCells[1,3]=-5\n"
                        "Cells[1,4]=5\nCells[1,5]=1\n[Functions]\nCount=2\nF1=x^2\nF2=2x\n";
const char kOdd[] = "[MainMode]\nMode=F\nNumbers=.\n[AxisText]\nX=\x01\x02\nY=" /* long */;
const char kOddRest[] = "\n[ZoomFactor]\nX=0\nY=-1E4000\n[Font]\nName=\nSize=2147483647\n"
                        "StyleBold=7\n[Angles]\nRadians=-1\n[Range]\nCells[1,0]=1E4000\n"
                        "Cells[1,1]=-1E4000\nCells[1,2]=0\nCells[1,3]=5\nCells[1,4]=5\n"
                        "Cells[1,5]=1E-4000\n[Functions]\nCount=-5\nF1=x\n";
const char kIntegral[] = "[MainMode]\nMode=I\n[Range]\nCells[1,0]=3\nCells[1,1]=-3\n"
                         "[Integrals]\nCount=3\nI1=1/x;-1;1\nI2=x;1E300;-1E300\nI3=;;\n";

} // namespace

Session::Session(QString folder, NumberLocale locale, ui::Questions& questions)
    : m_folder(std::move(folder)), m_locale(locale), m_questions(questions) {
    prepareFiles();
}

Session::~Session() {
    stop();
}

void Session::prepareFiles() {
    const QString files = filesFolder(m_folder);
    QDir().mkpath(files + QStringLiteral("/folder"));
    QDir().mkpath(files + QStringLiteral("/folder.ldr"));
    QDir().mkpath(m_folder + QStringLiteral("/config/lindor"));
    writeFile(files + QStringLiteral("/example.ldr"), kExample);
    writeFile(files + QStringLiteral("/empty.ldr"), QByteArray());
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += char((i * 37) & 0xff);
    writeFile(files + QStringLiteral("/garbage.ldr"), garbage);
    writeFile(files + QStringLiteral("/truncated.ldr"), QByteArray(kExample).left(60));
    writeFile(files + QStringLiteral("/odd.LDR"),
              QByteArray(kOdd) + QByteArray(5000, 'y') + QByteArray(kOddRest));
    writeFile(files + QStringLiteral("/integral.ldr"), kIntegral);
    QByteArray many = "[MainMode]\nMode=F\n[Functions]\nCount=40\n";
    for (int i = 1; i <= 40; ++i)
        many += "F" + QByteArray::number(i) + "=x+" + QByteArray::number(i) + "\n";
    writeFile(files + QStringLiteral("/many.ldr"), many);
    writeFile(files + QStringLiteral("/long.ldr"), "[MainMode]\nMode=F\n[Functions]\nCount=1\nF1=" +
                                                       QByteArray("x+").repeated(50000) + "x\n");
}

void Session::start() {
    stop();
    ui::AppPaths paths;
    paths.programFolder = (m_folder + QStringLiteral("/program")).toStdString();
    paths.dataFolder = LINDOR_DATA_DIR;
    paths.settingsFile = (m_folder + QStringLiteral("/config/lindor/lindor.INI")).toStdString();
    m_app = std::make_unique<ui::AppState>(paths, m_locale);
    m_app->language.setMessageHandler(
        [this](const std::string& message) { m_questions.error(QString::fromStdString(message)); });
    m_app->loadSettings();
    m_frame = std::make_unique<ui::TMDIFrame>(*m_app, m_questions);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        m_frame->setGeometry(screen->availableGeometry());
    m_frame->showMaximized();
    m_frame->FormShow({});
    m_frame->activateWindow();
    QApplication::processEvents();
    // The splash's second, at once: on the first run the language is asked for.
    m_frame->Timer1Timer();
    QApplication::processEvents();
}

void Session::stop() {
    if (m_frame) {
        // Nothing is asked any more: the run is over.
        m_app->undoStack.setClean();
        if (m_frame->isVisible())
            m_frame->close();
    }
    m_frame.reset();
    m_app.reset();
    QApplication::processEvents();
}

bool Session::closed() const {
    return m_frame && !m_frame->isVisible();
}

QStringList Session::widgetNames() {
    return {QStringLiteral("entry"), QStringLiteral("graph"), QStringLiteral("range"),
            QStringLiteral("pad"),   QStringLiteral("log"),   QStringLiteral("area"),
            QStringLiteral("frame")};
}

QWidget* Session::widget(const QString& name) {
    if (!m_frame)
        return nullptr;
    ui::TMDIFrame& f = *m_frame;
    if (name == QLatin1String("entry"))
        return &f.entryBox();
    if (name == QLatin1String("graph"))
        return &f.graphWindow();
    if (name == QLatin1String("range")) {
        QTableWidget* grid = f.rangeWindow().grid();
        for (QLineEdit* editor : grid->findChildren<QLineEdit*>())
            if (editor->isVisible())
                return editor;
        return grid;
    }
    if (name == QLatin1String("pad"))
        return &f.functionPad();
    if (name == QLatin1String("log"))
        return f.logWindow().memo();
    if (name == QLatin1String("area"))
        return f.mdiArea().viewport();
    if (name == QLatin1String("frame"))
        return &f;
    return nullptr;
}

QList<QMdiSubWindow*> Session::childWindows() {
    return m_frame ? m_frame->mdiArea().subWindowList() : QList<QMdiSubWindow*>();
}

QMdiSubWindow* Session::childWindow(const QString& name) {
    for (QMdiSubWindow* sub : childWindows())
        if (sub->objectName() == name)
            return sub;
    return nullptr;
}

QList<QAction*> Session::commands() {
    QList<QAction*> found;
    if (!m_frame)
        return found;
    std::function<void(const QList<QAction*>&)> walk = [&](const QList<QAction*>& actions) {
        for (QAction* a : actions) {
            if (QMenu* menu = a->menu())
                walk(menu->actions());
            else if (!a->isSeparator() && !a->objectName().isEmpty() && !found.contains(a))
                found << a;
        }
    };
    walk(m_frame->menuBar()->actions());
    for (QToolBar* bar : m_frame->findChildren<QToolBar*>())
        walk(bar->actions());
    return found;
}

QAction* Session::command(const QString& name) {
    for (QAction* a : commands())
        if (a->objectName() == name)
            return a;
    return nullptr;
}

int Session::plottedFunctions() const {
    return m_app ? m_app->graphState().functionCount() : 0;
}

int Session::compiledFunctions() const {
    return m_app ? m_app->functions.Count() : 0;
}

bool Session::integralShown() const {
    return m_app && m_app->graphState().integral().has_value();
}

graph::Range Session::range() const {
    return m_app ? m_app->graphState().range() : graph::Range{};
}

bool Session::modified() const {
    return m_app && m_app->modified();
}

QString Session::unexpectedErrorText() const {
    return m_app ? QString::fromStdString(m_app->language.text("UnexpectedError")) : QString();
}

} // namespace lindor::monkey
