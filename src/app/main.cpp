// kravelo: the main window with its player. A second start hands its first argument to the
// running program and ends; the first movie and the first subtitle file of the command line open.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>

#include "app/autosave_controller.h"
#include "app/language.h"
#include "app/main_window.h"
#include "app/movie_side.h"
#include "core/settings.h"
#include "platform/file_associations.h"
#include "platform/power_off.h"
#include "platform/screen_saver.h"
#include "platform/single_instance.h"
#include "platform/xdg_paths.h"
#include "player/mpv_player.h"

int main(int argc, char** argv) {
    // The picture keeps its OpenGL context (and the player its renderer) when full screen moves
    // it to another window.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kravelo"));
    // The icon beside the built program, else the installed one of the icon theme.
    const QString icon = QDir(QApplication::applicationDirPath()).filePath(QStringLiteral("kravelo.svg"));
    QApplication::setWindowIcon(QFileInfo::exists(icon) ? QIcon(icon) : QIcon::fromTheme(QStringLiteral("kravelo")));
    kravelo::ApplyProcessNumberFormat();

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    // A running program takes the file over; this one ends without a window.
    kravelo::SingleInstance instance;
    if (instance.HandOver(arguments.value(0))) return 0;
    instance.Listen();

    kravelo::MainWindowPaths paths;
    paths.programFolder = QDir::toNativeSeparators(QApplication::applicationDirPath()).toStdString();
    paths.configFolder = kravelo::DefaultConfigFolder();
    paths.shareFolder = kravelo::DefaultShareFolder();

    // The player outlives the window (its picture goes with the window), the movie side
    // goes first.
    kravelo::MpvPlayer player;
    kravelo::LogindPowerOff powerOff;
    // Held off while the program runs, released when the window goes.
    kravelo::DBusScreenSaverInhibitor screenSaver;
    // The options dialog makes Kravelo the default program for the movie types it ticks.
    std::unique_ptr<kravelo::FileAssociations> associations = kravelo::MakeXdgFileAssociations(
        {}, "kravelo.desktop", {}, QApplication::applicationFilePath().toStdString());
    kravelo::MainWindow window(paths);
    kravelo::MovieSideController movie(window, player, powerOff);
    window.SetScreenSaver(&screenSaver);
    window.SetFileAssociations(associations.get());
    QObject::connect(&instance, &kravelo::SingleInstance::argumentReceived, &movie.Movie(),
                     &kravelo::MovieSession::ArgumentReceived);
    // Unsaved edits are copied every minute; a copy an abnormal end left is offered back first.
    kravelo::AutosaveController autosave(window, kravelo::AutosaveController::DefaultFolder());
    window.SetCommandLine(arguments);
    window.show();
    QTimer::singleShot(0, &autosave, &kravelo::AutosaveController::OfferRestore);
    return QApplication::exec();
}
