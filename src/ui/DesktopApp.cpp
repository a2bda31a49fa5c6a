#include "ui/DesktopApp.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QScreen>
#include <cstdlib>

#include "files/DataFolder.h"
#include "files/LanguageChoice.h"
#include "files/SettingsPath.h"
#include "qt/AppLocale.h"
#include "ui/AppState.h"
#include "ui/ExitSignals.h"
#include "ui/MainFrame.h"
#include "ui/QtQuestions.h"
#include "ui/SplashScreen.h"

// The pictures live in the ui library's resources; a static library must register them.
static void registerResources() {
    Q_INIT_RESOURCE(icons);
    Q_INIT_RESOURCE(app);
}

namespace lindor::ui {

namespace {

AppPaths pathsOfThisProgram() {
    const QString program = QCoreApplication::applicationFilePath();
    AppPaths paths;
    paths.programFolder = QFileInfo(program).absolutePath().toStdString();
    paths.dataFolder = files::dataFolder(paths.programFolder, "ldrEnglish.lng");
    paths.settingsFile = files::settingsFilePath(program.toStdString());
    return paths;
}

} // namespace

int runDesktop(int argc, char** argv) {
    QApplication application(argc, argv);
    registerResources();
    QApplication::setApplicationName(QStringLiteral("Lindor"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/app/lindor.svg")));

    AppState app(pathsOfThisProgram(), qtgui::adoptUserNumberLocale());
    QtQuestions questions(nullptr, QStringLiteral("Lindor"));

    // The splash is up while the windows are made, and goes before any message box (so
    // that none hides under it) or about a second after the start.
    std::unique_ptr<TfrmSplash> splash;
    questions.setBeforeAsking([&splash] { splash.reset(); });

    // Messages of the translation table wait until a window can show them.
    QStringList pendingMessages;
    bool frameShown = false;
    app.language.setMessageHandler([&](const std::string& message) {
        if (frameShown)
            questions.error(QString::fromStdString(message));
        else
            pendingMessages << QString::fromStdString(message);
    });
    // Until the user chooses a language, the desktop's language is used.
    app.firstLanguage =
        files::languageOfEnvironment([](const char* name) { return std::getenv(name); });
    app.loadSettings();
    app.stateFolder = files::stateFolderPath();

    splash = std::make_unique<TfrmSplash>(app.language);
    splash->show();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    TMDIFrame frame(app, questions);
    QObject::connect(&frame, &TMDIFrame::startupFinished, [&splash] { splash.reset(); });
    questions.setParent(&frame);
    // Maximised; without a window manager that would do it, as large as the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        frame.setGeometry(screen->availableGeometry());
    frame.showMaximized();
    frameShown = true;
    for (const QString& message : pendingMessages)
        questions.error(message);

    // Every argument is a function or a document; a "--" only ends the options.
    QStringList functions;
    bool separatorSeen = false;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument == QLatin1String("--") && !separatorSeen) {
            separatorSeen = true;
            continue;
        }
        functions << argument;
    }
    // The end of a session closes the program as at a normal exit, keeping unsaved work.
    const ExitSignals exitSignals([&frame] {
        frame.endKeepingWork();
        QCoreApplication::exit(0);
    });
    frame.FormShow(functions);
    return QApplication::exec();
}

} // namespace lindor::ui
