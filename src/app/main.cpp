// kravelo: the main window. The first "txt", "ssa" or "srt" argument opens as a subtitle file.
#include <QApplication>
#include <QDir>

#include "app/language.h"
#include "app/main_window.h"
#include "app/settings.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kravelo"));
    kravelo::ApplyProcessNumberFormat();

    kravelo::MainWindowPaths paths;
    paths.programFolder = QDir::toNativeSeparators(QApplication::applicationDirPath()).toStdString();
    paths.configFolder = kravelo::DefaultConfigFolder();
    paths.shareFolder = kravelo::DefaultShareFolder();

    kravelo::MainWindow window(paths);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    window.SetCommandLine(arguments);
    window.show();
    return QApplication::exec();
}
