#include "ui/DesktopApp.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QScreen>
#include <QTimer>
#include <clocale>

#include "files/SettingsPath.h"
#include "ui/AppState.h"
#include "ui/FrameActions.h"
#include "ui/MainFrame.h"
#include "ui/QtQuestions.h"

namespace lindor::ui {

namespace {

AppPaths pathsOfThisProgram() {
    const QString program = QCoreApplication::applicationFilePath();
    AppPaths paths;
    paths.programFolder = QFileInfo(program).absolutePath().toStdString();
    paths.dataFolder = paths.programFolder;
    paths.settingsFile = files::settingsFilePath(program.toStdString());
    return paths;
}

NumberLocale regionalNumbers() {
    // The separators the user types and reads; the C library itself keeps "C" so that
    // every conversion in the program is its own.
    const NumberLocale locale = NumberLocale::fromEnvironment();
    std::setlocale(LC_NUMERIC, "C");
    return locale;
}

} // namespace

int runDesktop(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lindor"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/lindor.svg")));

    AppState app(pathsOfThisProgram(), regionalNumbers());
    QtQuestions questions(nullptr, QStringLiteral("Lindor"));

    // Messages of the translation table wait until a window can show them.
    QStringList pendingMessages;
    bool frameShown = false;
    app.language.setMessageHandler([&](const std::string& message) {
        if (frameShown)
            questions.error(QString::fromStdString(message));
        else
            pendingMessages << QString::fromStdString(message);
    });
    app.settings.readViewSettings(app.view(), app.locale());
    app.applyAngleMode();
    app.language.LoadLanguage(app.settings.language(), app.paths.dataFolder);
    app.histories = app.settings.readHistories();

    TMDIFrame frame(app, questions);
    questions.setParent(&frame);
    // Maximised; without a window manager that would do it, as large as the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        frame.setGeometry(screen->availableGeometry());
    frame.showMaximized();
    frameShown = true;
    for (const QString& message : pendingMessages)
        questions.error(message);

    QStringList functions;
    for (int i = 1; i < argc; ++i)
        functions << QString::fromLocal8Bit(argv[i]);
    frame.FormShow(functions);

    // About a second after the start: the first-run language question.
    QTimer::singleShot(1000, &frame, [&] {
        if (app.settings.firstTime()) {
            app.settings.clearFirstTime();
            frame.actions()["Language1"]->trigger();
        }
    });
    return QApplication::exec();
}

} // namespace lindor::ui
