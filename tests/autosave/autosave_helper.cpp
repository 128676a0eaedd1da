// The program as the autosave test kills it: a main window with a subtitle file open and an
// edit typed into it (a new last line), copying it every 20 ms, waiting to be killed.
//     kravelo_autosave_helper PROGRAM_FOLDER CONFIG_FOLDER SHARE_FOLDER AUTOSAVE_FOLDER FILE TEXT

#include <QApplication>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "app/autosave_controller.h"
#include "app/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 7) return 2;
    kravelo::MainWindowPaths paths{argv[1], argv[2], argv[3]};
    kravelo::MainWindow window(paths);
    kravelo::AutosaveController autosave(window, argv[4], 20);
    window.show();
    if (!window.Session().Open(QString::fromLocal8Bit(argv[5]))) return 3;
    QTextCursor c(window.Editor()->document());
    c.movePosition(QTextCursor::End);
    c.insertText(QLatin1Char('\n') + QString::fromUtf8(argv[6]));
    return QApplication::exec();
}
